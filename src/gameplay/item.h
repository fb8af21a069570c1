#pragma once

#include "world/entity.h"

// A pick-up lying on the floor: health, fireball charges, an orb, a scroll or a key.
class Item : public Entity
{
public:
    explicit Item(Game* game) : Entity(game) {}

    void Init(double x, double y, double angle, EntityType type, Entity* player);
    // Hands the item to the player when in reach and useful.
    void Action();
};
