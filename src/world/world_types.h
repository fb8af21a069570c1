#pragma once

#include "core/wrapper.h"

#include <cstdint>
#include <string>

// A tile is 64 x 64 world units; world y grows downwards on the map.
constexpr int TILE_SIZE = 64;
// Angle units to the full turn; 320 of them make the 60 degree field of view.
constexpr int FULL_TURN = 1920;

// Walls-and-doors cell flags added by the map loader.
constexpr std::int32_t DOOR_FLAG = 0x80;
constexpr std::int32_t DOOR_FRAME_FLAG = 0x40;
// The door-frame texture drawn for a wall beside a door, seen from the door.
constexpr std::int32_t DOOR_FRAME_WALL = 13;
constexpr int WALL_TEXTURE_COUNT = 14;

enum class EntityType : std::uint8_t
{
    Player = 0,
    Health = 1,
    Ammo = 2,
    Orb = 3,
    Scroll = 4,
    BlueKey = 5,
    OrangeKey = 6,
    BronzeKey = 7,
    Enemy = 8,
    PlayerProjectile = 9,
    EnemyProjectile = 10,
    Unknown = 11
};

inline bool IsItemType(EntityType type)
{
    return type >= EntityType::Health && type <= EntityType::BronzeKey;
}

inline bool IsProjectileType(EntityType type)
{
    return type == EntityType::PlayerProjectile || type == EntityType::EnemyProjectile;
}

// The layers of a map. The game's map has grids for the first two only.
enum class TileType : std::uint8_t
{
    WallsAndDoors = 0,
    CeilingsAndFloors = 1,
    ItemsAndEnemies = 2
};

// How each wall texture behaves, one row per texture index.
struct TextureFlagsType
{
    std::int32_t doorStep = 0;
    std::int32_t doorDelay = 0;
    std::int32_t doorStyle = 0;
    std::int32_t keyType = 0;
    std::int32_t animationIndex = 0;
    bool seeThrough = false;
    bool isDoor = false;
    bool halfDepth = false;
    bool solid = false;
    bool animated = false;
};

// Door styles: how the door's image moves out of the way.
constexpr std::int32_t DOOR_SLIDES_SIDEWAYS = 1;
constexpr std::int32_t DOOR_SLIDES_UP = 2;
constexpr std::int32_t DOOR_SPLITS = 3;

// Key types of doors.
constexpr std::int32_t KEY_NONE = 0;
constexpr std::int32_t KEY_BLUE = 1;
constexpr std::int32_t KEY_ORANGE = 2;
constexpr std::int32_t KEY_BRONZE = 3;
constexpr std::int32_t KEY_EXIT = 4;

// One door cell with its own copy of the door texture, which opening and
// closing edit pixel by pixel.
struct DoorInfo
{
    Wrapper surface;
    std::int32_t closeDelay = 0;
    std::int32_t textureIndex = 0;
    std::int32_t openPercent = 0;
    std::int32_t closedColumns = 0;
    std::int32_t tileX = 0;
    std::int32_t tileY = 0;
    bool active = false;
    bool opening = true;
    bool locked = true;
    bool blocking = true;
};

// An animated wall texture's frame counter.
struct AnimationsType
{
    std::int32_t delay = 0;
    std::int32_t counter = 0;
    std::int32_t frame = 0;
    std::int32_t frameCount = 0;
    bool running = false;
};

// A walls cell cleared while one column is cast, with the value to put back.
struct TemporaryErasedType
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t value = 0;
};
