#include "core/game_settings.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
GameSettings ReadSettings(const std::string& text)
{
    GameSettings settings;
    std::istringstream input(text);
    settings.Read(input);
    return settings;
}

const char* const DEFAULT_FILE = "80 79 82 81 44 224 225 226 30 31\n64 64 1 0 1 1\n";
} // namespace

TEST(SettingsFile, DefaultsAreWrittenAsTwoLines)
{
    EXPECT_EQ(GameSettings().Format(), DEFAULT_FILE);
}

TEST(SettingsFile, ReadsWhatItWrites)
{
    GameSettings settings;
    settings.Binding(KeyAction::Fire).mScancode = SDL_SCANCODE_RETURN;
    settings.Binding(KeyAction::Fire).mPressed = true;
    settings.mSoundVolume = 500;
    settings.mMusicVolume = 0;
    settings.mFullscreen = false;
    settings.mVSync = true;
    settings.mSoundOn = false;
    settings.mMusicOn = false;
    const std::string text = settings.Format();
    EXPECT_EQ(text, "80 79 82 81 44 40 225 226 30 31\n500 0 0 1 0 0\n");
    const GameSettings back = ReadSettings(text);
    EXPECT_EQ(back.Format(), text);
    // Held keys are never stored.
    EXPECT_FALSE(back.Binding(KeyAction::Fire).mPressed);
}

TEST(SettingsFile, ReadingRules)
{
    // Extra values are ignored.
    EXPECT_EQ(ReadSettings("80 79 82 81 44 224 225 226 30 31 9 9\n64 64 1 0 1 1\n").Format(),
              DEFAULT_FILE);
    // Empty lines are not counted.
    EXPECT_EQ(ReadSettings("\n\n4 5 6 7 8 9 10 11 12 13\n\n1 2 0 1 0 1\n").Format(),
              "4 5 6 7 8 9 10 11 12 13\n1 2 0 1 0 1\n");
    // Switches: 1 and true in any case are on, anything else off.
    const GameSettings words = ReadSettings("80 79 82 81 44 224 225 226 30 31\n64 64 TRUE yes true 0\n");
    EXPECT_TRUE(words.mFullscreen);
    EXPECT_FALSE(words.mVSync);
    EXPECT_TRUE(words.mSoundOn);
    EXPECT_FALSE(words.mMusicOn);
    // Unreadable numbers become 0; lines after the second are ignored.
    const GameSettings junk = ReadSettings("x 79 82 81 44 224 225 226 30 31\nloud 64 1 0 1 1\n1 1 1\n");
    EXPECT_EQ(junk.Binding(KeyAction::TurnLeft).mScancode, 0);
    EXPECT_EQ(junk.mSoundVolume, 0);
    EXPECT_EQ(junk.mMusicVolume, 64);
}

TEST(SettingsFile, ShortLinesKeepTheCurrentValues)
{
    const GameSettings settings = ReadSettings("4 5\n100\n");
    EXPECT_EQ(settings.Format(), "4 5 82 81 44 224 225 226 30 31\n100 64 1 0 1 1\n");
}

TEST(SettingsFile, CarriageReturnsAreLineEnds)
{
    const GameSettings settings =
        ReadSettings("80 79 82 81 44 224 225 226 30 31\r\n64 64 1 0 1 1\r\n");
    EXPECT_EQ(settings.Format(), DEFAULT_FILE);
    EXPECT_TRUE(settings.mMusicOn);
}
