#include "map_writer.h"

#include <algorithm>
#include <sstream>
#include <tuple>

namespace
{
void WriteGrid(std::ostringstream& out, const MapLayout& layout, const std::vector<int>& grid)
{
    for (int y = 0; y < layout.height; ++y)
    {
        for (int x = 0; x < layout.width; ++x)
        {
            out << (x == 0 ? "" : " ") << grid[y * layout.width + x];
        }
        out << '\n';
    }
}

// The editor's order: the player first, then by type name; cells of one name by position.
bool ComesFirst(const LayoutEntity& a, const LayoutEntity& b)
{
    const bool aPlayer = a.type == "Player";
    const bool bPlayer = b.type == "Player";
    if (aPlayer != bPlayer)
    {
        return aPlayer;
    }
    return std::tie(a.type, a.y, a.x) < std::tie(b.type, b.y, b.x);
}
} // namespace

std::string WriteMapText(const MapLayout& layout)
{
    std::ostringstream out;
    out << layout.width << '\n' << layout.height << "\n\n";
    WriteGrid(out, layout, layout.walls);
    out << '\n';
    WriteGrid(out, layout, layout.floors);
    out << '\n';
    std::vector<LayoutEntity> entities = layout.entities;
    std::sort(entities.begin(), entities.end(), ComesFirst);
    for (std::size_t i = 0; i < entities.size(); ++i)
    {
        const LayoutEntity& entity = entities[i];
        out << (i == 0 ? "" : "\n\n") << "Type " << entity.type << "\nAngle " << entity.degrees
            << "\nX " << entity.x << "\nY " << entity.y;
    }
    return out.str();
}
