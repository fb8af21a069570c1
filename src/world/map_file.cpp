#include "world/map_file.h"

#include "core/utils.h"
#include "world/map_names.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace
{
// The keys of the entity lines.
const std::string NAME_KEY = "Type";
const std::string ANGLE_KEY = "Angle";
const std::string COLUMN_KEY = "X";
const std::string ROW_KEY = "Y";

std::optional<int> ReadInteger(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX)
    {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string FirstWord(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    words >> word;
    return word;
}

std::string CellText(std::int32_t x, std::int32_t y)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The entities the game builds: the player, the items and the enemies.
bool IsBuilt(const std::string& name)
{
    const EntityType type = EntityTypeOfName(name);
    return type == EntityType::Player || type == EntityType::Enemy || IsItemType(type);
}

void WriteGrid(std::ostringstream& text, const MapFile& map, const std::vector<std::int32_t>& grid)
{
    for (std::int32_t y = 0; y < map.height; ++y)
    {
        for (std::int32_t x = 0; x < map.width; ++x)
        {
            text << (x == 0 ? "" : " ") << grid[static_cast<std::size_t>(y) * map.width + x];
        }
        text << '\n';
    }
}
} // namespace

std::optional<int> MapFileEntity::Degrees() const
{
    return ReadInteger(angle);
}

std::runtime_error MapLoadError(const std::string& problem)
{
    return std::runtime_error("Error loading map: " + problem);
}

std::runtime_error MapOpenError(const std::string& path)
{
    return std::runtime_error("Couldn't open map file: " + path);
}

bool MapFileReader::Refuse(const std::runtime_error& error) const
{
    if (mRules.throwErrors)
    {
        throw error;
    }
    return false;
}

void MapFileReader::SkipRestOfLine()
{
    mIn.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

bool MapFileReader::ReadSize()
{
    if (!(mIn >> mWidth >> mHeight))
    {
        return Refuse(MapLoadError("Missing or invalid map size!"));
    }
    if (mRules.maxSide > 0)
    {
        const std::string range = " (Must be 1-" + std::to_string(mRules.maxSide) + ")!";
        if (mWidth < 1 || mWidth > mRules.maxSide)
        {
            return Refuse(MapLoadError("Invalid map width " + std::to_string(mWidth) + range));
        }
        if (mHeight < 1 || mHeight > mRules.maxSide)
        {
            return Refuse(MapLoadError("Invalid map height " + std::to_string(mHeight) + range));
        }
    }
    SkipRestOfLine();
    return true;
}

bool MapFileReader::ReadGrid(TileType layer, const CellSink& cell)
{
    const bool walls = layer == TileType::WallsAndDoors;
    const std::int32_t maxValue = walls ? mRules.maxWall : mRules.maxFloor;
    // Any size may be read past: a huge one ends with the numbers of the file.
    const std::int64_t cells =
        mWidth > 0 && mHeight > 0 ? static_cast<std::int64_t>(mWidth) * mHeight : 0;
    std::int32_t value = 0;
    for (std::int64_t index = 0; index < cells && mIn >> value; ++index)
    {
        const auto x = static_cast<std::int32_t>(index % mWidth);
        const auto y = static_cast<std::int32_t>(index / mWidth);
        if (maxValue >= 0 && (value < 0 || value > maxValue))
        {
            return Refuse(MapLoadError(std::string("Invalid ") +
                                       (walls ? "wall" : "ceiling/floor") + " value " +
                                       std::to_string(value) + " at " + CellText(x, y) +
                                       " (Must be 0-" + std::to_string(maxValue) + ")!"));
        }
        cell(x, y, value);
    }
    SkipRestOfLine();
    return true;
}

bool MapFileReader::ReadEntities(const EntitySink& entity)
{
    MapFileEntity pending;
    bool playerFound = false;
    std::string line;
    while (std::getline(mIn, line))
    {
        if (!ReadEntityLine(QuillUtils::StripCarriageReturn(line), pending))
        {
            return false;
        }
        if (!IsComplete(pending))
        {
            continue;
        }
        // The next entity starts from nothing.
        const MapFileEntity complete = std::move(pending);
        pending = MapFileEntity{};
        if (!CheckEntity(complete))
        {
            return false;
        }
        playerFound = playerFound || complete.name == EntityNames::PLAYER;
        entity(complete);
    }
    // Without a start the game would have no one to play; better to say so now.
    if (mRules.needsPlayer && !playerFound)
    {
        return Refuse(MapLoadError("No Player defined in the map!"));
    }
    return true;
}

bool MapFileReader::ReadEntityLine(const std::string& line, MapFileEntity& pending) const
{
    const std::size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    if (key == NAME_KEY)
    {
        pending.name = FirstWord(value);
    }
    else if (key == ANGLE_KEY)
    {
        pending.angle = FirstWord(value);
    }
    else if (key == COLUMN_KEY || key == ROW_KEY)
    {
        const std::optional<int> number = ReadInteger(value);
        if (!number && mRules.numericEntities)
        {
            return false;
        }
        // Otherwise anything but a number leaves the cell unset, so the entity
        // waits for a line that gives it.
        (key == COLUMN_KEY ? pending.x : pending.y) = number.value_or(-1);
    }
    return true;
}

bool MapFileReader::IsComplete(const MapFileEntity& entity) const
{
    const bool onMap = !mRules.numericEntities || (entity.x < mWidth && entity.y < mHeight);
    return entity.x >= 0 && entity.y >= 0 && onMap && !entity.name.empty() && !entity.angle.empty();
}

bool MapFileReader::CheckEntity(const MapFileEntity& entity) const
{
    const std::optional<int> degrees = entity.Degrees();
    if (mRules.numericEntities && !degrees)
    {
        return false;
    }
    if (!mRules.playableEntities || !IsBuilt(entity.name))
    {
        return true;
    }
    // A word or a number beyond an int is named in the same message, so whoever
    // wrote the map learns which value to mend.
    if (!degrees || *degrees < 0 || *degrees > 360)
    {
        return Refuse(
            std::runtime_error("Invalid angle for entity (Must be 0-360): " + entity.angle));
    }
    if (entity.x >= mWidth || entity.y >= mHeight)
    {
        return Refuse(MapLoadError("The " + entity.name + " at " + CellText(entity.x, entity.y) +
                                   " lies outside the map!"));
    }
    return true;
}

std::optional<MapFile> ReadMapFile(std::istream& in, const MapFileRules& rules)
{
    if (rules.maxSide < 1)
    {
        throw std::invalid_argument("ReadMapFile needs rules that bound the map size");
    }
    MapFileReader reader(in, rules);
    if (!reader.ReadSize())
    {
        return std::nullopt;
    }
    MapFile map;
    map.width = reader.Width();
    map.height = reader.Height();
    const std::size_t cells = static_cast<std::size_t>(map.width) * map.height;
    map.walls.assign(cells, 0);
    map.floors.assign(cells, 0);
    const auto into = [&map](std::vector<std::int32_t>& grid)
    {
        return
            [width = map.width, cells = &grid](std::int32_t x, std::int32_t y, std::int32_t value)
        { (*cells)[static_cast<std::size_t>(y) * width + x] = value; };
    };
    const bool read = reader.ReadGrid(TileType::WallsAndDoors, into(map.walls)) &&
                      reader.ReadGrid(TileType::CeilingsAndFloors, into(map.floors)) &&
                      reader.ReadEntities([&map](const MapFileEntity& entity)
                                          { map.entities.push_back(entity); });
    if (!read)
    {
        return std::nullopt;
    }
    return map;
}

std::string MapFileText(const MapFile& map)
{
    std::ostringstream text;
    text << map.width << '\n' << map.height << "\n\n";
    WriteGrid(text, map, map.walls);
    text << '\n';
    WriteGrid(text, map, map.floors);
    text << '\n';
    for (std::size_t i = 0; i < map.entities.size(); ++i)
    {
        const MapFileEntity& entity = map.entities[i];
        text << (i == 0 ? "" : "\n\n") << NAME_KEY << ' ' << entity.name << '\n'
             << ANGLE_KEY << ' ' << entity.angle << '\n'
             << COLUMN_KEY << ' ' << entity.x << '\n'
             << ROW_KEY << ' ' << entity.y;
    }
    return text.str();
}

bool SavedBefore(const MapFilePlace& a, const MapFilePlace& b)
{
    const bool aIsPlayer = a.name == EntityNames::PLAYER;
    const bool bIsPlayer = b.name == EntityNames::PLAYER;
    if (aIsPlayer != bIsPlayer)
    {
        return aIsPlayer;
    }
    return std::tie(a.name, a.y, a.x) < std::tie(b.name, b.y, b.x);
}
