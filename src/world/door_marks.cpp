#include "world/door_marks.h"

#include "world/map_names.h"
#include "world/world_types.h"

void MarkDoors(std::vector<std::int32_t>& walls, std::int32_t width, std::int32_t height)
{
    const auto cell = [&](std::int32_t x, std::int32_t y) -> std::int32_t&
    { return walls[static_cast<std::size_t>(y) * width + x]; };
    const auto markFrame = [&](std::int32_t x, std::int32_t y)
    {
        if (x >= 0 && y >= 0 && x < width && y < height)
        {
            cell(x, y) |= DOOR_FRAME_FLAG;
        }
    };
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            std::int32_t& wall = cell(x, y);
            if (wall == Walls::STANDARD_DOOR)
            {
                wall |= DOOR_FLAG;
                markFrame(x - 1, y);
                markFrame(x + 1, y);
            }
            if (wall >= Walls::BLUE_DOOR && wall <= Walls::FAKE_EXIT_DOOR)
            {
                wall |= DOOR_FLAG;
                markFrame(x, y - 1);
                markFrame(x, y + 1);
            }
        }
    }
}
