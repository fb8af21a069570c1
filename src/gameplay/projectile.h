#pragma once

#include "world/entity.h"

class Enemy;
class Player;

// A fireball in flight, shot by the player or by an enemy.
class Projectile : public Entity
{
public:
    explicit Projectile(Game* game) : Entity(game) {}

    void Init(int x, int y, double angle, EntityType type);
    // One step, then the hit test against the target (which may be null).
    void Action(Entity* target);
    // Moves one step along the angle and stops at walls.
    void Step();
    // Hurts the target when it is a fitting one within 32 units.
    void HitTest(Entity* target);

private:
    void HitEnemy(Enemy& enemy);
    void HitPlayer(Player& player);
};
