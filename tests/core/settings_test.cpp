#include "core/game_settings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
std::string ReadAndFormat(const std::string& text)
{
    GameSettings settings;
    std::istringstream input(text);
    settings.Read(input);
    return settings.Format();
}

// The two lines every version writes, then the mouse and pad line that older
// versions skip as a counted line beyond the second.
const char* const DEFAULT_FILE = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 30 25\n";
} // namespace

TEST(SettingsFile, ReadingRules)
{
    const struct
    {
        const char* file;
        const char* read;
    } cases[] = {
        // What this version writes reads back the same.
        {"80 79 82 81 44 40 225 226 30 31\n500 0 0 1 0 0\n0 100 0\n",
         "80 79 82 81 44 40 225 226 30 31\n500 0 0 1 0 0\n0 100 0\n"},
        // An older version's file: the mouse and pad settings keep their defaults.
        {"4 5 6 7 8 9 10 11 12 13\n1 2 0 1 0 1\n",
         "4 5 6 7 8 9 10 11 12 13\n1 2 0 1 0 1\n1 30 25\n"},
        // Extra values are ignored, and so are lines after the third.
        {"80 79 82 81 44 224 225 226 30 31 9 9\n64 64 1 0 1 1 7\n1 30 25 8\n1 1 1\n", DEFAULT_FILE},
        // Empty lines are not counted; carriage returns end lines.
        {"\n\n4 5 6 7 8 9 10 11 12 13\r\n\n1 2 0 1 0 1\r\n\n0 7 9\r\n",
         "4 5 6 7 8 9 10 11 12 13\n1 2 0 1 0 1\n0 7 9\n"},
        // Switches: 1 and true in any case are on, anything else off.
        {"80 79 82 81 44 224 225 226 30 31\n64 64 TRUE yes true 0\nyes\n",
         "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 0\n0 30 25\n"},
        // Unreadable numbers become 0; the sensitivity and the dead zone stay in range.
        {"x 79 82 81 44 224 225 226 30 31\nloud 64 1 0 1 1\nTrue 0 91\n",
         "0 79 82 81 44 224 225 226 30 31\n0 64 1 0 1 1\n1 1 90\n"},
        {"80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 101 -1\n",
         "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n1 100 0\n"},
        // Short lines keep the current values.
        {"4 5\n100\n0\n", "4 5 82 81 44 224 225 226 30 31\n100 64 1 0 1 1\n0 30 25\n"},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(ReadAndFormat(test.file), test.read) << test.file;
    }
}
