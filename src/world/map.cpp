#include "world/map.h"

#include "core/game.h"

#include <stdexcept>
#include <string>

std::int32_t Map::GetTile(int x, int y, TileType layer) const
{
    if (!IsInside(x, y))
    {
        return -1;
    }
    const std::size_t cell = static_cast<std::size_t>(y) * mWidth + x;
    return layer == TileType::CeilingsAndFloors ? mCeilingsAndFloors[cell] : mWalls[cell];
}

void Map::SetTile(int x, int y, std::int32_t value, TileType layer)
{
    if (!IsInside(x, y))
    {
        return;
    }
    const std::size_t cell = static_cast<std::size_t>(y) * mWidth + x;
    (layer == TileType::CeilingsAndFloors ? mCeilingsAndFloors : mWalls)[cell] = value;
}

std::int32_t Map::CheckTileType(int x, int y) const
{
    const std::int32_t value = GetTile(x, y, TileType::WallsAndDoors);
    return value < 0 ? value : value & ~DOOR_FLAG;
}

DoorInfo* Map::GetDoor(int x, int y)
{
    for (const auto& door : mDoors)
    {
        if (door->tileX == x && door->tileY == y)
        {
            return door.get();
        }
    }
    throw std::runtime_error("Door at position (" + std::to_string(x) + ", " + std::to_string(y) +
                             ") not found!");
}

void Map::ClearMap()
{
    mDoors.clear();
    mWalls.clear();
    mCeilingsAndFloors.clear();
}

EntityType Map::EntityTypeStringToEnum(const std::string& name)
{
    static const char* const NAMES[] = {"Player",    "Health",    "Ammo",   "Orb",
                                        "Scroll",    "BlueKey",   "OrangeKey", "BronzeKey",
                                        "Enemy",     "PlayerProjectile", "EnemyProjectile"};
    for (int i = 0; i < 11; ++i)
    {
        if (name == NAMES[i])
        {
            return static_cast<EntityType>(i);
        }
    }
    return EntityType::Unknown;
}

bool Map::OpenMap(const std::string&, Game*, bool) { return false; }

std::int32_t Map::GetHighScore(const std::string&) const { return 0; }

bool Map::CheckTileCollision(int, int, Game*) { return true; }

bool Map::CheckMove(Entity*, Game*) { return true; }

void Map::CollisionDetection(Entity*, Entity*, Game*) {}

void Map::StartDoor(Game*, int, int) {}

void Map::OpenDoors(Game*) {}

void Map::CloseDoors(Game*) {}
