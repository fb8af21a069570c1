// What a hand-edited or downloaded file gets wrong earns a message that names
// the problem; the fuzz corpora hold many more such files.
#include "support/test_game.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
std::string NewGameFailure(const std::string& mapText)
{
    TestGame test(OptionsWithMaps({{"level.map", mapText, ""}}));
    test.RunFrames(1);
    try
    {
        test.TapKey(SDL_SCANCODE_RETURN);
    }
    catch (const std::exception& error)
    {
        return error.what();
    }
    return "no error";
}

const std::string ROOM = "3\n3\n\n1 1 1\n1 0 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n";
} // namespace

TEST(HostileFiles, AMapListLineWithoutAMapIsNamed)
{
    TestGame::Options leadingSpace;
    leadingSpace.files = {{"data/maps/map.cfg", "map01.map\n map01.map\n"}};
    EXPECT_EQ(TestGame::StartupFailure(leadingSpace), "Line (2) names no map file!");

    TestGame::Options doubleSpace;
    doubleSpace.files = {{"data/maps/map.cfg", "map01.map  map1.ogg\n"}};
    EXPECT_EQ(TestGame::StartupFailure(doubleSpace), "Line (1) contains more than two entries!");

    // Blank lines name nothing and are passed over; the count of lines goes on.
    TestGame::Options blankLines;
    blankLines.files = {{"data/maps/map.cfg", "\n  \nmap01.map\n\n"}};
    EXPECT_EQ(TestGame::StartupFailure(blankLines), "no error");
}

TEST(HostileFiles, AnAngleThatIsNoNumberIsNamedLikeOneOutOfRange)
{
    EXPECT_EQ(NewGameFailure(ROOM + "Type Player\nAngle east\nX 1\nY 1"),
              "Invalid angle for entity (Must be 0-360): east");
    EXPECT_EQ(NewGameFailure(ROOM + "Type Player\nAngle 4294967296\nX 1\nY 1"),
              "Invalid angle for entity (Must be 0-360): 4294967296");
    EXPECT_EQ(NewGameFailure(ROOM + "Type Player\nAngle 90\nX 1\nY 1"), "no error");
}

TEST(HostileFiles, ASoundOrTrackThatCannotLoadIsNamed)
{
    TestGame::Options missingSound;
    missingSound.files = {{"data/sfx/sounds.cfg", "select.wav\nmissing.wav\n"}};
    EXPECT_EQ(TestGame::StartupFailure(missingSound),
              "Couldn't load sound file: data/sfx/missing.wav (the file cannot be opened)");

    // A file that is there but no sound: SDL's reason follows the name.
    TestGame::Options notASound;
    notASound.files = {{"data/sfx/sounds.cfg", "../maps/map.cfg\n"}};
    EXPECT_EQ(
        TestGame::StartupFailure(notASound).rfind("Couldn't load sound file: data/sfx/../maps/map.cfg (", 0),
        0u);

    TestGame::Options missingTrack;
    missingTrack.files = {{"data/music/music.cfg", "title.ogg missing.ogg\n"}};
    EXPECT_EQ(TestGame::StartupFailure(missingTrack),
              "Couldn't load music file: data/music/missing.ogg (the file cannot be opened)");
}
