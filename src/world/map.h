#pragma once

#include "world/world_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Entity;
class Game;

// The loaded level: the walls-and-doors grid, the ceilings-and-floors grid and
// one door record per door cell.
class Map
{
public:
    std::int32_t GetTile(int x, int y, TileType layer) const;
    void SetTile(int x, int y, std::int32_t value, TileType layer);
    // The walls cell without its door bit; -1 outside the map.
    std::int32_t CheckTileType(int x, int y) const;
    // Throws std::runtime_error when the cell has no door.
    DoorInfo* GetDoor(int x, int y);
    void ClearMap();
    static EntityType EntityTypeStringToEnum(const std::string& name);

    // Loads a map file; false when it cannot be opened. Content errors throw.
    bool OpenMap(const std::string& path, Game* game, bool createPlayer);
    // The most points a map file can give, without loading it.
    std::int32_t GetHighScore(const std::string& path) const;

    bool CheckTileCollision(int x, int y, Game* game);
    bool CheckMove(Entity* entity, Game* game);
    void CollisionDetection(Entity* entity, Entity* player, Game* game);

    void StartDoor(Game* game, int x, int y);
    void OpenDoors(Game* game);
    void CloseDoors(Game* game);

    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }

    std::vector<std::unique_ptr<DoorInfo>> mDoors;
    std::vector<std::int32_t> mWalls;
    std::vector<std::int32_t> mCeilingsAndFloors;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mMaxScore = 0;
};
