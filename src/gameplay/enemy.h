#pragma once

#include "world/entity.h"

#include <cstdint>

// The one kind of opponent: faces the player, walks closer and fires at random.
class Enemy : public Entity
{
public:
    explicit Enemy(Game* game) : Entity(game) {}

    void Init(double x, double y, double angle);
    void Action(double playerX, double playerY);
    void AddProjectile(double x, double y, double angle);

    std::int32_t mHitTimer = 0;
};
