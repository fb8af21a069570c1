#pragma once

#include "world/world_types.h"

#include <SDL.h>

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

class Entity;
class Game;
class MapFileReader;
struct MapFileEntity;

// The loaded level: the walls-and-doors grid, the ceilings-and-floors grid and
// one door record per door cell.
class Map
{
public:
    // Each door keeps its own 64 x 64 image, so their number is bounded: as
    // many as the editor's largest map (64 x 64) can hold.
    static constexpr int MAX_DOORS = 4096;
    // A map builds at most as many entities as the editor's largest map has
    // cells: beyond that every turn and every view would crawl.
    static constexpr int MAX_ENTITIES = 4096;

    std::int32_t GetTile(int x, int y, TileType layer) const;
    void SetTile(int x, int y, std::int32_t value, TileType layer);
    // The walls cell without its door bit; -1 outside the map.
    std::int32_t CheckTileType(int x, int y) const;
    // Throws std::runtime_error when the cell has no door.
    DoorInfo* GetDoor(int x, int y) const;
    // The first door of the cell, or null.
    DoorInfo* FindDoor(int x, int y) const;
    void ClearMap();
    static EntityType EntityTypeStringToEnum(const std::string& name);

    // Loads a map file; false when it cannot be opened. Content errors throw.
    bool OpenMap(const std::string& path, Game* game, bool createPlayer);
    // The same from a map file's text already at hand (the editor's map).
    void ReadMap(std::istream& file, Game* game, bool createPlayer);
    // The most points a map file can give, without loading it.
    std::int32_t GetHighScore(const std::string& path) const;

    // Whether the cell blocks movement; cells outside the map do.
    bool CheckTileCollision(int x, int y, Game* game);
    // Whether the entity's footprint at its position is free of blocking cells.
    bool CheckMove(Entity* entity, Game* game);
    // Moves the entity by its step, sliding along walls; the player hears the
    // crash of a projectile.
    void CollisionDetection(Entity* entity, Entity* player, Game* game);

    void StartDoor(Game* game, int x, int y);
    void OpenDoors(Game* game);
    void CloseDoors(Game* game);

    // Inside the map's size and its grids (which are empty between ClearMap and the
    // next load).
    bool IsInside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < mWidth && y < mHeight && HasGrids();
    }
    bool HasGrids() const
    {
        const std::size_t cells = static_cast<std::size_t>(mWidth) * mHeight;
        return mWalls.size() == cells && mCeilingsAndFloors.size() == cells;
    }

    std::vector<std::unique_ptr<DoorInfo>> mDoors;
    std::vector<std::int32_t> mWalls;
    std::vector<std::int32_t> mCeilingsAndFloors;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mMaxScore = 0;

private:
    // Loading, step by step.
    void ReadSize(MapFileReader& reader);
    void ReadWalls(MapFileReader& reader, Game* game);
    void ReadCeilingsAndFloors(MapFileReader& reader);
    void AddDoor(Game* game, std::int32_t wall, int x, int y);
    void ReadEntities(MapFileReader& reader, Game* game, bool createPlayer);
    // builtCount: the entities built so far.
    void CreateEntity(const MapFileEntity& record, Game* game, bool createPlayer, int& builtCount);

    // The sound of a door of the cell, heard by the player.
    void PlayDoorSound(Game* game, const std::string& name, int x, int y) const;
    // One frame of a door's image moving out of the way, and back in.
    static void MoveDoorImage(SDL_Surface* image, std::int32_t step, std::int32_t style,
                              DoorInfo& door);
    static void RestoreDoorImage(SDL_Surface* image, SDL_Surface* walls, const SDL_Rect& source,
                                 std::int32_t step, std::int32_t style, DoorInfo& door);
};
