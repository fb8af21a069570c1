#pragma once

#include <cstdint>
#include <vector>

// The marks the loader adds to a walls-and-doors grid (row by row, width cells
// a row): DOOR_FLAG on every door cell, DOOR_FRAME_FLAG on the cells that frame
// it, west and east of a standard door, north and south of the others. A
// framing cell blocks like a wall, even an empty one, and a door that another
// door's frame mark reached first is no door any more.
void MarkDoors(std::vector<std::int32_t>& walls, std::int32_t width, std::int32_t height);
