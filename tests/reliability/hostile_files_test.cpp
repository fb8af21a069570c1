// What a hand-edited or downloaded list gets wrong earns a message that names
// the problem; the fuzz corpora hold many more such files.
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <string>

TEST(HostileFiles, AListLineOrAFileThatCannotBeUsedIsNamed)
{
    const struct
    {
        const char* path;
        const char* text;
        // A message ending in "(" is followed by SDL's own reason.
        std::string failure;
    } cases[] = {
        {"data/maps/map.cfg", "map01.map\n map01.map\n", "Line (2) names no map file!"},
        {"data/maps/map.cfg", "map01.map  map1.ogg\n", "Line (1) contains more than two entries!"},
        // Blank lines name nothing and are passed over; the count of lines goes on.
        {"data/maps/map.cfg", "\n  \nmap01.map\n\n", "no error"},
        {"data/sfx/sounds.cfg", "select.wav\nmissing.wav\n",
         "Couldn't load sound file: data/sfx/missing.wav (the file cannot be opened)"},
        {"data/sfx/sounds.cfg", "../maps/map.cfg\n",
         "Couldn't load sound file: data/sfx/../maps/map.cfg ("},
        {"data/music/music.cfg", "title.ogg missing.ogg\n",
         "Couldn't load music file: data/music/missing.ogg (the file cannot be opened)"},
    };
    for (const auto& hostile : cases)
    {
        TestGame::Options options;
        options.files = {{hostile.path, hostile.text}};
        const std::string failure = TestGame::StartupFailure(options);
        EXPECT_EQ(hostile.failure.back() == '(' ? failure.substr(0, hostile.failure.size())
                                                : failure,
                  hostile.failure)
            << hostile.text;
    }
}
