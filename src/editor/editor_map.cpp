#include "editor/editor_map.h"

#include "core/utils.h"

#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace
{
void SkipRestOfLine(std::istream& in)
{
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// Row-major cell values; what cannot be read becomes 0, and after the first
// unreadable value the stream stays failed, so every later cell is 0 too and
// no entity follows.
void ReadTileLayer(std::istream& in, std::int32_t width, std::int32_t height,
                   EditorMap::TileLayer& layer)
{
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            int value = 0;
            if (!(in >> value))
            {
                value = 0;
            }
            layer.push_back(
                std::make_unique<EditorTile<int>>(EditorTile<int>{value, 0.0, 0, x, y}));
        }
    }
    SkipRestOfLine(in);
}

// A decimal integer read like std::stoi (leading blanks, a sign, trailing text
// ignored); nothing when the text holds no number that fits an int.
std::optional<int> ReadInteger(const std::string& text)
{
    try
    {
        return std::stoi(text);
    }
    catch (const std::logic_error&)
    {
        return std::nullopt;
    }
}

std::string FirstWord(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    words >> word;
    return word;
}

// The fields of the entity block being read; a block is placed once it names
// a type, an angle and a cell inside the map, in whatever order its lines came.
struct PendingEntity
{
    std::string mType;
    std::string mAngle;
    int mX = -1;
    int mY = -1;

    bool IsComplete(std::int32_t width, std::int32_t height) const
    {
        return mX >= 0 && mY >= 0 && mX < width && mY < height && !mType.empty() && !mAngle.empty();
    }
};

// False when a line holds a value the editor cannot use.
bool ReadEntities(std::istream& in, EditorMap& map)
{
    PendingEntity pending;
    std::string line;
    while (std::getline(in, line))
    {
        line = QuillUtils::StripCarriageReturn(line);
        if (line.empty())
        {
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value =
            space == std::string::npos ? "" : FirstWord(line.substr(space + 1));
        if (key == "Type")
        {
            pending.mType = value;
        }
        else if (key == "Angle")
        {
            pending.mAngle = value;
        }
        else if (key == "X" || key == "Y")
        {
            const std::optional<int> number = ReadInteger(value);
            if (!number)
            {
                return false;
            }
            (key == "X" ? pending.mX : pending.mY) = *number;
        }

        if (pending.IsComplete(map.mWidth, map.mHeight))
        {
            const std::optional<int> angle = ReadInteger(pending.mAngle);
            if (!angle)
            {
                return false;
            }
            EditorTile<std::string>* cell = map.mEntityGrid[pending.mY * map.mWidth + pending.mX];
            cell->mValue = pending.mType;
            cell->mAngle = *angle;
            pending = PendingEntity{};
        }
    }
    return true;
}

void FormatTileLayer(std::ostringstream& text, std::int32_t width, std::int32_t height,
                     const EditorMap::TileLayer& layer)
{
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            text << layer[y * width + x]->mValue << (x + 1 < width ? " " : "\n");
        }
    }
}
} // namespace

bool EditorMap::IsValidSize(std::int32_t width, std::int32_t height)
{
    return width >= 1 && width <= MAX_SIZE && height >= 1 && height <= MAX_SIZE;
}

EditorMap EditorMap::CreateEmpty(std::int32_t width, std::int32_t height,
                                 const EditorEmptyColors& colors)
{
    EditorMap map;
    map.mWidth = width;
    map.mHeight = height;
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            map.AppendEmptyCell(x, y, colors);
        }
    }
    return map;
}

void EditorMap::AppendEmptyCell(std::int32_t x, std::int32_t y, const EditorEmptyColors& colors)
{
    mWallTiles.push_back(
        std::make_unique<EditorTile<int>>(EditorTile<int>{0, 0.0, colors.mWall, x, y}));
    mFloorTiles.push_back(
        std::make_unique<EditorTile<int>>(EditorTile<int>{0, 0.0, colors.mFloor, x, y}));
    AppendEmptyEntity(x, y, colors.mEntity);
}

void EditorMap::AppendEmptyEntity(std::int32_t x, std::int32_t y, std::uint32_t color)
{
    mEntityTiles.push_back(std::make_unique<EditorTile<std::string>>(
        EditorTile<std::string>{NO_ENTITY, 0.0, color, x, y}));
    mEntityGrid.push_back(mEntityTiles.back().get());
}

std::optional<EditorMap> EditorMap::Parse(std::istream& in)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!(in >> width >> height) || !IsValidSize(width, height))
    {
        return std::nullopt;
    }
    SkipRestOfLine(in);

    EditorMap map;
    map.mWidth = width;
    map.mHeight = height;
    ReadTileLayer(in, width, height, map.mWallTiles);
    ReadTileLayer(in, width, height, map.mFloorTiles);
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            map.AppendEmptyEntity(x, y, 0);
        }
    }
    if (!ReadEntities(in, map))
    {
        return std::nullopt;
    }
    return map;
}

std::string EditorMap::Format(std::int32_t width, std::int32_t height, const TileLayer& walls,
                              const TileLayer& floors, const EntityLayer& entities)
{
    std::ostringstream text;
    text << width << '\n' << height << "\n\n";
    FormatTileLayer(text, width, height, walls);
    text << '\n';
    FormatTileLayer(text, width, height, floors);
    text << '\n';

    bool first = true;
    for (const auto& entity : entities)
    {
        if (entity->mValue == NO_ENTITY)
        {
            continue;
        }
        if (!first)
        {
            text << "\n\n";
        }
        first = false;
        text << "Type " << entity->mValue << '\n'
             << "Angle " << static_cast<long long>(std::trunc(entity->mAngle)) << '\n'
             << "X " << entity->mX << '\n'
             << "Y " << entity->mY;
    }
    return text.str();
}
