#include "world/map.h"

#include "core/game.h"
#include "core/utils.h"
#include "gameplay/enemy.h"
#include "gameplay/item.h"
#include "gameplay/player.h"
#include "world/door_marks.h"
#include "world/grid_math.h"
#include "world/map_file.h"
#include "world/map_names.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>

namespace
{
// Half the side of an entity's square footprint.
constexpr double PROJECTILE_HALF_SIZE = 4;
constexpr double BODY_HALF_SIZE = 16;
constexpr double DOOR_SOUND_RANGE = 12.0;
constexpr double COLLISION_SOUND_RANGE = 5.0;

// The player of the entity list, or null.
Entity* FindPlayer(Game* game)
{
    for (const auto& entity : game->mEntities)
    {
        if (entity->mType == EntityType::Player)
        {
            return entity.get();
        }
    }
    return nullptr;
}

// The texture flags of a wall number (flag bits cleared), or null when it has none.
const TextureFlagsType* WallFlags(const Game* game, std::int32_t wall)
{
    if (wall < 1 || wall > static_cast<std::int32_t>(game->mTextureFlags.size()))
    {
        return nullptr;
    }
    return &game->mTextureFlags[static_cast<std::size_t>(wall - 1)];
}

// Locks a surface for pixel access where it needs it; false when that fails.
bool LockIfNeeded(SDL_Surface* surface)
{
    return !SDL_MUSTLOCK(surface) || SDL_LockSurface(surface) == 0;
}

void UnlockIfNeeded(SDL_Surface* surface)
{
    if (SDL_MUSTLOCK(surface))
    {
        SDL_UnlockSurface(surface);
    }
}

void CopyPixel(SDL_Surface* from, int fromX, int fromY, SDL_Surface* to, int toX, int toY)
{
    QuillUtils::SetPixel(to, toX, toY, QuillUtils::GetPixel(from, fromX, fromY));
}
} // namespace

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

DoorInfo* Map::GetDoor(int x, int y) const
{
    DoorInfo* door = FindDoor(x, y);
    if (door == nullptr)
    {
        throw std::runtime_error("Door at position (" + std::to_string(x) + ", " +
                                 std::to_string(y) + ") not found!");
    }
    return door;
}

DoorInfo* Map::FindDoor(int x, int y) const
{
    for (const auto& door : mDoors)
    {
        if (door->tileX == x && door->tileY == y)
        {
            return door.get();
        }
    }
    return nullptr;
}

void Map::ClearMap()
{
    mDoors.clear();
    mWalls.clear();
    mCeilingsAndFloors.clear();
}

EntityType Map::EntityTypeStringToEnum(const std::string& name)
{
    return EntityTypeOfName(name);
}

// --- Loading ---

bool Map::OpenMap(const std::string& path, Game* game, bool createPlayer)
{
    std::ifstream file(path);
    if (!file)
    {
        return false;
    }
    ReadMap(file, game, createPlayer);
    return true;
}

void Map::ReadMap(std::istream& file, Game* game, bool createPlayer)
{
    mMaxScore = 0;
    // Doors of an earlier map must not stand in for the doors of this one.
    mDoors.clear();
    mWalls.clear();
    mCeilingsAndFloors.clear();
    // The reader throws at the first fault, with what came before it built.
    MapFileReader reader(file, GAME_MAP_RULES);
    ReadSize(reader);
    ReadWalls(reader, game);
    ReadCeilingsAndFloors(reader);
    ReadEntities(reader, game, createPlayer);
    MarkDoors(mWalls, mWidth, mHeight);
}

void Map::ReadSize(MapFileReader& reader)
{
    // Until the size is known to be sound the map stays empty and consistent.
    mWidth = 0;
    mHeight = 0;
    reader.ReadSize();
    const std::size_t cells = static_cast<std::size_t>(reader.Width()) * reader.Height();
    mWalls.assign(cells, 0);
    mCeilingsAndFloors.assign(cells, 0);
    mWidth = reader.Width();
    mHeight = reader.Height();
}

void Map::ReadWalls(MapFileReader& reader, Game* game)
{
    reader.ReadGrid(TileType::WallsAndDoors,
                    [this, game](std::int32_t x, std::int32_t y, std::int32_t wall)
                    {
                        mWalls[static_cast<std::size_t>(y) * mWidth + x] = wall;
                        const TextureFlagsType* flags = WallFlags(game, wall);
                        if (flags != nullptr && flags->isDoor)
                        {
                            AddDoor(game, wall, x, y);
                        }
                    });
}

void Map::ReadCeilingsAndFloors(MapFileReader& reader)
{
    reader.ReadGrid(TileType::CeilingsAndFloors,
                    [this](std::int32_t x, std::int32_t y, std::int32_t value)
                    { mCeilingsAndFloors[static_cast<std::size_t>(y) * mWidth + x] = value; });
}

void Map::AddDoor(Game* game, std::int32_t wall, int x, int y)
{
    if (mDoors.size() >= static_cast<std::size_t>(MAX_DOORS))
    {
        throw MapLoadError("Too many doors (Must be at most 4096)!");
    }
    const TextureFlagsType& flags = game->mTextureFlags[static_cast<std::size_t>(wall - 1)];
    auto door = std::make_unique<DoorInfo>();
    door->textureIndex = wall - 1;
    door->closeDelay = flags.doorDelay;
    door->tileX = x;
    door->tileY = y;
    door->openPercent = 0;
    door->closedColumns = 0;
    door->active = false;
    door->opening = true;
    door->locked = wall != Walls::STANDARD_DOOR;
    door->blocking = true;

    SDL_Surface* image =
        QuillUtils::CreateRGBSurface(game->mFramework->GetRendererInfo(), TILE_SIZE, TILE_SIZE);
    if (image == nullptr)
    {
        throw std::runtime_error(std::string("Unable to create surface: ") + SDL_GetError());
    }
    door->surface.Reset(image);

    SDL_Surface* walls = game->mImageManager->GetImage("walls");
    if (walls == nullptr)
    {
        throw MapLoadError("The walls texture is not loaded!");
    }
    if (!LockIfNeeded(walls))
    {
        throw std::runtime_error("Couldn't lock surface pixels!");
    }
    if (!LockIfNeeded(image))
    {
        UnlockIfNeeded(walls);
        throw std::runtime_error("Couldn't lock surface pixels!");
    }
    const SDL_Rect& source = game->mWallRects[static_cast<std::size_t>(door->textureIndex)];
    for (int row = 0; row < TILE_SIZE; ++row)
    {
        for (int column = 0; column < TILE_SIZE; ++column)
        {
            CopyPixel(walls, source.x + column, source.y + row, image, column, row);
        }
    }
    UnlockIfNeeded(image);
    UnlockIfNeeded(walls);
    mDoors.push_back(std::move(door));
}

void Map::ReadEntities(MapFileReader& reader, Game* game, bool createPlayer)
{
    int builtCount = 0;
    reader.ReadEntities([&](const MapFileEntity& record)
                        { CreateEntity(record, game, createPlayer, builtCount); });
}

void Map::CreateEntity(const MapFileEntity& record, Game* game, bool createPlayer, int& builtCount)
{
    const EntityType type = EntityTypeStringToEnum(record.name);
    const bool isItem = IsItemType(type);
    if (type != EntityType::Player && type != EntityType::Enemy && !isItem)
    {
        return;
    }
    // The reader has checked that the facing is 0 to 360 degrees and the cell on the map.
    const int angle = QuillUtils::ConvertAngle(record.Degrees().value());
    const bool builds = type != EntityType::Player || createPlayer;
    if (builds && builtCount == MAX_ENTITIES)
    {
        throw MapLoadError("Too many entities (Must be at most 4096)!");
    }
    builtCount += builds ? 1 : 0;
    // Everything stands in the middle of its cell.
    const double x = TILE_SIZE * static_cast<double>(record.x) + TILE_SIZE / 2;
    const double y = TILE_SIZE * static_cast<double>(record.y) + TILE_SIZE / 2;

    if (type == EntityType::Player)
    {
        if (createPlayer)
        {
            auto player = std::make_unique<Player>(game);
            player->Init(x, y, angle);
            game->mEntities.push_back(std::move(player));
            return;
        }
        Entity* player = FindPlayer(game);
        if (player == nullptr)
        {
            throw MapLoadError("The player couldn't be found in the entity list!");
        }
        // The kept player moves to the new start; health, keys and the rest stay.
        player->mX = x;
        player->mY = y;
        player->mDeltaX = 0;
        player->mDeltaY = 0;
        player->mAngle = angle;
        static_cast<Player*>(player)->CalculateDistance();
        return;
    }
    if (isItem)
    {
        Entity* player = FindPlayer(game);
        if (player == nullptr)
        {
            throw MapLoadError("The player must be defined as the first object!");
        }
        auto item = std::make_unique<Item>(game);
        item->Init(x, y, angle, type, player);
        game->mEntities.push_back(std::move(item));
        mMaxScore += BestScorePoints(record.name);
        return;
    }
    auto enemy = std::make_unique<Enemy>(game);
    enemy->Init(x, y, angle);
    game->mEntities.push_back(std::move(enemy));
    mMaxScore += BestScorePoints(record.name);
}

std::int32_t Map::GetHighScore(const std::string& path) const
{
    std::ifstream file(path);
    if (!file)
    {
        throw MapOpenError(path);
    }
    // A size that is no int, too large ones included, fails the read and the
    // rest of the file with it: such a file gives no points.
    MapFileReader reader(file, BEST_SCORE_RULES);
    std::int32_t score = 0;
    if (reader.ReadSize())
    {
        // The grids are read past without being kept.
        const auto passOver = [](std::int32_t, std::int32_t, std::int32_t) {};
        reader.ReadGrid(TileType::WallsAndDoors, passOver);
        reader.ReadGrid(TileType::CeilingsAndFloors, passOver);
        reader.ReadEntities([&score](const MapFileEntity& entity)
                            { score += BestScorePoints(entity.name); });
    }
    return score;
}

// --- Collision ---

bool Map::CheckTileCollision(int x, int y, Game* game)
{
    if (!IsInside(x, y))
    {
        return true;
    }
    const std::int32_t value = GetTile(x, y, TileType::WallsAndDoors);
    if ((value & DOOR_FRAME_FLAG) != 0)
    {
        const TextureFlagsType* frame = WallFlags(game, DOOR_FRAME_WALL);
        return frame == nullptr || frame->solid;
    }
    if ((value & DOOR_FLAG) == 0)
    {
        if (value == 0)
        {
            return false;
        }
        const TextureFlagsType* flags = WallFlags(game, value);
        return flags == nullptr || flags->solid;
    }
    const DoorInfo* door = FindDoor(x, y);
    return door == nullptr || door->blocking;
}

bool Map::CheckMove(Entity* entity, Game* game)
{
    const double half = IsProjectileType(entity->mType) ? PROJECTILE_HALF_SIZE : BODY_HALF_SIZE;
    // Cells beyond the map's edge block like walls, so nothing ever leaves a
    // map whose outer ring is open. On a closed map no footprint reaches them.
    const int x0 = std::max(-1, TileOf(entity->mX - half));
    const int x1 = std::min(mWidth, TileOf(entity->mX + half));
    const int y0 = std::max(-1, TileOf(entity->mY - half));
    const int y1 = std::min(mHeight, TileOf(entity->mY + half));
    for (int y = y0; y <= y1; ++y)
    {
        for (int x = x0; x <= x1; ++x)
        {
            if (CheckTileCollision(x, y, game))
            {
                return false;
            }
        }
    }
    return true;
}

void Map::CollisionDetection(Entity* entity, Entity* player, Game* game)
{
    // The position loses its fraction here.
    const double x0 = TruncToInt(entity->mX);
    const double y0 = TruncToInt(entity->mY);
    const double x = x0 + entity->mDeltaX;
    const double y = y0 + entity->mDeltaY;
    entity->mX = x;
    entity->mY = y;
    if (CheckMove(entity, game))
    {
        return;
    }
    if (IsProjectileType(entity->mType))
    {
        // A fireball burns the books of a bookshelf at any corner of its 64 x 64 box.
        const int corners[4][2] = {
            {TruncToInt((x + 32) / TILE_SIZE), TruncToInt((y + 32) / TILE_SIZE)},
            {TruncToInt((x - 32) / TILE_SIZE), TruncToInt((y - 32) / TILE_SIZE)},
            {TruncToInt((x - 32) / TILE_SIZE), TruncToInt((y + 32) / TILE_SIZE)},
            {TruncToInt((x + 32) / TILE_SIZE), TruncToInt((y - 32) / TILE_SIZE)}};
        for (const auto& corner : corners)
        {
            if (CheckTileType(corner[0], corner[1]) == Walls::BOOKSHELF)
            {
                SetTile(corner[0], corner[1], Walls::EMPTY_BOOKSHELF, TileType::WallsAndDoors);
            }
        }
        if (player != nullptr)
        {
            game->mAudioManager->PlayDirectionalSound("collision.wav", player->mX, player->mY,
                                                      player->mAngle * QuillUtils::ANGLE_TO_RADIANS,
                                                      x, y, COLLISION_SOUND_RANGE);
        }
        entity->mAlive = false;
    }
    // Slide along whichever axis is free.
    entity->mX = x;
    entity->mY = y0;
    if (CheckMove(entity, game))
    {
        return;
    }
    entity->mX = x0;
    entity->mY = y;
    if (CheckMove(entity, game))
    {
        return;
    }
    entity->mX = x0;
    entity->mY = y0;
}

// --- Doors ---

void Map::PlayDoorSound(Game* game, const std::string& name, int x, int y) const
{
    const Entity* player = FindPlayer(game);
    if (player == nullptr)
    {
        return;
    }
    game->mAudioManager->PlayDirectionalSound(name, player->mX, player->mY,
                                              player->mAngle * QuillUtils::ANGLE_TO_RADIANS,
                                              TILE_SIZE * x, TILE_SIZE * y, DOOR_SOUND_RANGE);
}

void Map::StartDoor(Game* game, int x, int y)
{
    if (!IsInside(x, y))
    {
        return;
    }
    const std::int32_t wall = CheckTileType(x, y);
    const TextureFlagsType* flags = WallFlags(game, wall);
    if (flags == nullptr || !flags->isDoor)
    {
        return;
    }
    for (const auto& door : mDoors)
    {
        if (door->tileX == x && door->tileY == y && door->active)
        {
            return;
        }
    }
    for (const auto& door : mDoors)
    {
        if (door->tileX != x || door->tileY != y)
        {
            continue;
        }
        door->closeDelay = flags->doorDelay;
        door->textureIndex = wall - 1;
        door->openPercent = 0;
        door->closedColumns = 0;
        door->active = true;
        door->opening = true;
        // Once started a locked door stays unlocked.
        door->locked = false;
        door->blocking = true;
        PlayDoorSound(game, "open_door.wav", x, y);
        return;
    }
}

void Map::OpenDoors(Game* game)
{
    for (const auto& door : mDoors)
    {
        if (!door->active || !door->opening || door->openPercent > 99)
        {
            continue;
        }
        const TextureFlagsType& flags =
            game->mTextureFlags.at(static_cast<std::size_t>(door->textureIndex));
        SDL_Surface* image = door->surface.Get<SDL_Surface>();
        if (!LockIfNeeded(image))
        {
            return;
        }
        MoveDoorImage(image, flags.doorStep, flags.doorStyle, *door);
        UnlockIfNeeded(image);
        if (door->openPercent > 89)
        {
            door->blocking = false;
            if (door->openPercent > 99)
            {
                door->opening = false;
            }
        }
    }
}

void Map::MoveDoorImage(SDL_Surface* image, std::int32_t step, std::int32_t style, DoorInfo& door)
{
    const std::uint32_t clear = SDL_MapRGBA(image->format, 0, 0, 0, 0);
    const int last = TILE_SIZE - 1;
    switch (style)
    {
    case DOOR_SLIDES_SIDEWAYS:
        for (int row = 0; row < TILE_SIZE; ++row)
        {
            for (int column = last - step; column >= 0; --column)
            {
                CopyPixel(image, column, row, image, column + step, row);
            }
            for (int column = 0; column < step; ++column)
            {
                QuillUtils::SetPixel(image, column, row, clear);
            }
        }
        door.openPercent += step * 100 / TILE_SIZE;
        break;
    case DOOR_SLIDES_UP:
        for (int row = 0; row <= last - step; ++row)
        {
            for (int column = 0; column < TILE_SIZE; ++column)
            {
                CopyPixel(image, column, row + step, image, column, row);
            }
        }
        for (int row = TILE_SIZE - step; row < TILE_SIZE; ++row)
        {
            for (int column = 0; column < TILE_SIZE; ++column)
            {
                QuillUtils::SetPixel(image, column, row, clear);
            }
        }
        door.openPercent += step * 100 / TILE_SIZE;
        break;
    case DOOR_SPLITS:
        for (int row = 0; row < TILE_SIZE; ++row)
        {
            for (int column = 0; column < 32; ++column)
            {
                CopyPixel(image, column + step, row, image, column, row);
            }
            for (int column = 32 - step; column < 32; ++column)
            {
                QuillUtils::SetPixel(image, column, row, clear);
            }
            for (int column = last - step; column >= 32 - step; --column)
            {
                CopyPixel(image, column, row, image, column + step, row);
            }
        }
        door.openPercent += step * 200 / TILE_SIZE;
        break;
    default:
        break;
    }
}

void Map::CloseDoors(Game* game)
{
    SDL_Surface* walls = game->mImageManager->GetImage("walls");
    if (walls == nullptr)
    {
        return;
    }
    for (const auto& door : mDoors)
    {
        if (!door->active || door->opening || door->openPercent <= 0)
        {
            continue;
        }
        if (door->closeDelay > 0)
        {
            --door->closeDelay;
            continue;
        }
        const std::size_t texture = static_cast<std::size_t>(door->textureIndex);
        const TextureFlagsType& flags = game->mTextureFlags.at(texture);
        SDL_Surface* image = door->surface.Get<SDL_Surface>();
        if (!LockIfNeeded(image))
        {
            return;
        }
        if (!LockIfNeeded(walls))
        {
            UnlockIfNeeded(image);
            return;
        }
        RestoreDoorImage(image, walls, game->mWallRects.at(texture), flags.doorStep,
                         flags.doorStyle, *door);
        UnlockIfNeeded(walls);
        UnlockIfNeeded(image);
        if (door->openPercent > 89)
        {
            continue;
        }
        door->blocking = true;
        if (door->openPercent > 0)
        {
            continue;
        }
        door->active = false;
        SetTile(door->tileX, door->tileY, (door->textureIndex + 1) | DOOR_FLAG,
                TileType::WallsAndDoors);
        PlayDoorSound(game, "close_door.wav", door->tileX, door->tileY);
    }
}

void Map::RestoreDoorImage(SDL_Surface* image, SDL_Surface* walls, const SDL_Rect& source,
                           std::int32_t step, std::int32_t style, DoorInfo& door)
{
    // n columns (rows) of the closed image come back this frame.
    const int n = door.closedColumns;
    switch (style)
    {
    case DOOR_SLIDES_SIDEWAYS:
        for (int row = 0; row < TILE_SIZE; ++row)
        {
            for (int i = 0; i < n; ++i)
            {
                CopyPixel(walls, source.x + i, source.y + row, image, TILE_SIZE - n + i, row);
            }
        }
        door.closedColumns = std::min(n + step, TILE_SIZE);
        door.openPercent -= step * 100 / TILE_SIZE;
        break;
    case DOOR_SLIDES_UP:
        for (int row = 0; row < n; ++row)
        {
            for (int column = 0; column < TILE_SIZE; ++column)
            {
                CopyPixel(walls, source.x + column, source.y + TILE_SIZE - n + row, image, column,
                          row);
            }
        }
        door.closedColumns = std::min(n + step, TILE_SIZE);
        door.openPercent -= step * 100 / TILE_SIZE;
        break;
    case DOOR_SPLITS:
        for (int row = 0; row < TILE_SIZE; ++row)
        {
            for (int i = 0; i < n; ++i)
            {
                CopyPixel(walls, source.x + n + 31 - i, source.y + row, image, 63 - i, row);
                CopyPixel(walls, source.x + 32 - n + i, source.y + row, image, i, row);
            }
        }
        door.closedColumns = std::min(n + step, 32);
        door.openPercent -= step * 200 / TILE_SIZE;
        break;
    default:
        break;
    }
}
