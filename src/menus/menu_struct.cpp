#include "menus/menu_struct.h"

#include <algorithm>

int MenuStruct::SelectableCount() const
{
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const std::string& e) { return !e.empty(); }));
}
