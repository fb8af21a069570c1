#pragma once

#include "world/entity.h"

#include <cstddef>

class Enemy;
class Player;

// A fireball in flight, shot by the player or by an enemy.
class Projectile : public Entity
{
public:
    // Fireballs of the player and the enemies together. At the cap nobody
    // fires until one has hit something: on a huge map full of enemies they
    // would otherwise pile up without end and every turn and view would crawl.
    // A playable map never comes close.
    static constexpr std::size_t MAX_IN_FLIGHT = 4096;

    explicit Projectile(Game* game) : Entity(game) {}

    static bool AirIsFull(const Game& game);

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
