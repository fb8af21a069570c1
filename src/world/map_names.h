#pragma once

#include "world/world_types.h"

#include <iterator>
#include <string>

// The three layers of a map, in the order its file holds them; the editor
// numbers the layer being painted the same way.
namespace MapLayers
{
constexpr int WALLS_AND_DOORS = static_cast<int>(TileType::WallsAndDoors);
constexpr int CEILINGS_AND_FLOORS = static_cast<int>(TileType::CeilingsAndFloors);
constexpr int ITEMS_AND_ENEMIES = static_cast<int>(TileType::ItemsAndEnemies);
constexpr int COUNT = 3;
} // namespace MapLayers

// Wall numbers of the walls-and-doors layer; 13 is no wall of its own but the
// texture of a door's frame (DOOR_FRAME_WALL).
namespace Walls
{
constexpr int BLUE_WALL = 1;
constexpr int GREEN_WALL = 2;
constexpr int RED_WALL = 3;
constexpr int YELLOW_WALL = 4;
constexpr int EMPTY_BOOKSHELF = 5;
constexpr int BOOKSHELF = 6;
constexpr int STANDARD_DOOR = 7;
constexpr int BLUE_DOOR = 8;
constexpr int ORANGE_DOOR = 9;
constexpr int BRONZE_DOOR = 10;
constexpr int EXIT_DOOR = 11;
constexpr int FAKE_EXIT_DOOR = 12;
constexpr int FIREPLACE = 14;
} // namespace Walls

// The names of the entities as map files spell them.
namespace EntityNames
{
constexpr const char* PLAYER = "Player";
constexpr const char* HEALTH = "Health";
constexpr const char* AMMO = "Ammo";
constexpr const char* ORB = "Orb";
constexpr const char* SCROLL = "Scroll";
constexpr const char* BLUE_KEY = "BlueKey";
constexpr const char* ORANGE_KEY = "OrangeKey";
constexpr const char* BRONZE_KEY = "BronzeKey";
constexpr const char* ENEMY = "Enemy";
constexpr const char* PLAYER_PROJECTILE = "PlayerProjectile";
constexpr const char* ENEMY_PROJECTILE = "EnemyProjectile";
// The name of an empty cell of the editor's entity layer.
constexpr const char* NOTHING = "Nothing";

// Every name by its EntityType.
constexpr const char* BY_TYPE[] = {
    PLAYER,          HEALTH,     AMMO,       ORB,   SCROLL,
    BLUE_KEY,        ORANGE_KEY, BRONZE_KEY, ENEMY, PLAYER_PROJECTILE,
    ENEMY_PROJECTILE};
static_assert(std::size(BY_TYPE) == static_cast<std::size_t>(EntityType::Unknown));
} // namespace EntityNames

// The kind an entity name stands for (Unknown for any other text; names are
// case-sensitive).
inline EntityType EntityTypeOfName(const std::string& name)
{
    for (std::size_t type = 0; type < std::size(EntityNames::BY_TYPE); ++type)
    {
        if (name == EntityNames::BY_TYPE[type])
        {
            return static_cast<EntityType>(type);
        }
    }
    return EntityType::Unknown;
}

// What an entity of a map adds to the best score the map allows: an orb its
// 50 points, an enemy the 100 it gives when killed.
inline int BestScorePoints(const std::string& name)
{
    if (name == EntityNames::ORB)
    {
        return 50;
    }
    return name == EntityNames::ENEMY ? 100 : 0;
}
