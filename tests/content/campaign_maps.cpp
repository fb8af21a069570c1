#include "campaign_maps.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace
{
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size())
    {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
        {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

int ReadNumber(const std::string& text, const std::string& what)
{
    std::size_t used = 0;
    int value = 0;
    try
    {
        value = std::stoi(text, &used);
    }
    catch (const std::exception&)
    {
        used = 0;
    }
    if (used == 0 || used != text.size())
    {
        throw std::runtime_error(what + " is not a number: '" + text + "'");
    }
    return value;
}

// One row of a layer: exactly width numbers separated by single spaces.
void ReadRow(const std::string& line, int width, const std::string& what, std::vector<int>& cells)
{
    std::istringstream words(line);
    std::string word;
    int count = 0;
    while (std::getline(words, word, ' '))
    {
        cells.push_back(ReadNumber(word, what));
        ++count;
    }
    if (count != width)
    {
        throw std::runtime_error(what + " holds " + std::to_string(count) + " cells, not " +
                                 std::to_string(width));
    }
}

std::string ValueAfter(const std::string& line, const std::string& key)
{
    if (line.rfind(key + " ", 0) != 0)
    {
        throw std::runtime_error("expected '" + key + " ...', found '" + line + "'");
    }
    return line.substr(key.size() + 1);
}

void WriteLayer(std::ostringstream& out, const CampaignMap& map, const std::vector<int>& cells)
{
    for (int y = 0; y < map.height; ++y)
    {
        for (int x = 0; x < map.width; ++x)
        {
            out << (x == 0 ? "" : " ") << cells[y * map.width + x];
        }
        out << '\n';
    }
}
} // namespace

std::string ReadTextFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        throw std::runtime_error("can't read " + path.string());
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<CampaignEntry> ReadCampaignList(const std::filesystem::path& mapConfig)
{
    std::vector<CampaignEntry> entries;
    std::istringstream lines(ReadTextFile(mapConfig));
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream words(line);
        CampaignEntry entry;
        words >> entry.mapFile >> entry.musicFile;
        entries.push_back(entry);
    }
    return entries;
}

int CampaignMap::Count(const std::string& type) const
{
    int count = 0;
    for (const MapEntity& entity : entities)
    {
        count += entity.type == type ? 1 : 0;
    }
    return count;
}

CampaignMap ParseCampaignMap(const std::string& name, const std::string& text)
{
    CampaignMap map;
    map.name = name;
    const std::vector<std::string> lines = SplitLines(text);
    std::size_t next = 0;
    const auto line = [&]() -> const std::string&
    {
        if (next >= lines.size())
        {
            throw std::runtime_error("the file ends early");
        }
        return lines[next++];
    };
    map.width = ReadNumber(line(), "the width");
    map.height = ReadNumber(line(), "the height");
    if (map.width < 1 || map.height < 1)
    {
        throw std::runtime_error("the map has no cells");
    }
    for (std::vector<int>* layer : {&map.walls, &map.floors})
    {
        if (!line().empty())
        {
            throw std::runtime_error("a layer must follow an empty line");
        }
        for (int y = 0; y < map.height; ++y)
        {
            ReadRow(line(), map.width, "row " + std::to_string(y), *layer);
        }
    }
    if (!line().empty())
    {
        throw std::runtime_error("the entities must follow an empty line");
    }
    while (next < lines.size())
    {
        MapEntity entity;
        entity.type = ValueAfter(line(), "Type");
        entity.degrees = ReadNumber(ValueAfter(line(), "Angle"), "an angle");
        entity.x = ReadNumber(ValueAfter(line(), "X"), "a column");
        entity.y = ReadNumber(ValueAfter(line(), "Y"), "a row");
        map.entities.push_back(entity);
        if (next < lines.size() && !line().empty())
        {
            throw std::runtime_error("entity blocks must be separated by one empty line");
        }
    }
    return map;
}

std::string EditorText(const CampaignMap& map)
{
    std::ostringstream out;
    out << map.width << '\n' << map.height << "\n\n";
    WriteLayer(out, map, map.walls);
    out << '\n';
    WriteLayer(out, map, map.floors);
    out << '\n';
    for (std::size_t i = 0; i < map.entities.size(); ++i)
    {
        const MapEntity& entity = map.entities[i];
        out << (i == 0 ? "" : "\n\n") << "Type " << entity.type << "\nAngle " << entity.degrees
            << "\nX " << entity.x << "\nY " << entity.y;
    }
    return out.str();
}
