#pragma once

#include "world/entity.h"

class Player;

// A pick-up lying on the floor: health, fireball charges, an orb, a scroll or a key.
class Item : public Entity
{
public:
    explicit Item(Game* game) : Entity(game) {}

    void Init(double x, double y, double angle, EntityType type, Entity* player);
    // Hands the item to the player when in reach and useful.
    void Action();

private:
    // Applies the item's effect; false when the player has no use for it now.
    bool GiveTo(Player& player) const;
};
