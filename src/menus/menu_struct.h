#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One menu as data: its entries in display order (an empty label is a blank
// spacer line), the title image and the live selection state.
struct MenuStruct
{
    std::vector<std::string> entries;
    std::string id;
    std::string titleImage;
    std::int32_t blinkCounter = 0;
    // Counted over the entries that are not spacers.
    std::int32_t selected = 0;
    bool showArrow = true;
    bool waitingForKey = false;

    // Number of entries that can be selected.
    int SelectableCount() const;
};
