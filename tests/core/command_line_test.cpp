#include "core/game.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
// Parses a command line into a game whose framework has not been started.
class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override { mGame.mFramework = std::make_unique<Framework>(); }

    void Parse(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "quill3d");
        std::vector<char*> argv;
        for (std::string& argument : arguments)
        {
            argv.push_back(argument.data());
        }
        mStorage = std::move(arguments);
        mGame.ParseCommandLines(static_cast<int>(argv.size()), argv.data());
    }

    template <typename Exception> std::string FailureOf(std::vector<std::string> arguments)
    {
        try
        {
            Parse(std::move(arguments));
        }
        catch (const Exception& error)
        {
            return error.what();
        }
        return "no error";
    }

    Game mGame;
    std::vector<std::string> mStorage;
};
} // namespace

TEST_F(CommandLine, WindowSizeIsStoredAndOpensAWindow)
{
    Parse({"--windowsize", "320", "240"});
    EXPECT_EQ(mGame.mFramework->mWindowWidth, 320);
    EXPECT_EQ(mGame.mFramework->mWindowHeight, 240);
    EXPECT_TRUE(mGame.mFramework->mCustomWindowSize);
    EXPECT_EQ(mGame.GetGameState(), GameState::None);
}

TEST_F(CommandLine, WindowSizeErrors)
{
    EXPECT_EQ(FailureOf<std::out_of_range>({"--windowsize", "319", "240"}),
              "Window size must be at least 320x240 pixels!");
    EXPECT_EQ(FailureOf<std::out_of_range>({"--windowsize", "320", "239"}),
              "Window size must be at least 320x240 pixels!");
    EXPECT_EQ(FailureOf<std::invalid_argument>({"--windowsize", "-5", "600"}),
              "Window size must be positive numbers!");
    EXPECT_EQ(FailureOf<std::invalid_argument>({"--windowsize", "640"}),
              "--windowsize requires two additional arguments (width and height)!");
    EXPECT_EQ(FailureOf<std::invalid_argument>({"--windowsize"}),
              "--windowsize requires two additional arguments (width and height)!");
    EXPECT_EQ(FailureOf<std::invalid_argument>({"--windowsize", "wide", "600"}), "stoi");
    EXPECT_EQ(FailureOf<std::out_of_range>({"--windowsize", "99999999999", "600"}), "stoi");
}

TEST_F(CommandLine, NumbersAreReadLikeStoi)
{
    Parse({"--windowsize", " 800px", "+600"});
    EXPECT_EQ(mGame.mFramework->mWindowWidth, 800);
    EXPECT_EQ(mGame.mFramework->mWindowHeight, 600);
}

TEST_F(CommandLine, UnknownArgumentsAreIgnored)
{
    Parse({"--fast", "EDITOR", "--Editor", "-editor"});
    EXPECT_EQ(mGame.GetGameState(), GameState::None);
    EXPECT_FALSE(mGame.mFramework->mCustomWindowSize);
}

TEST_F(CommandLine, EditorAfterWindowSizeTakesTheEditorSize)
{
    mGame.mSettings.mFullscreen = true;
    Parse({"--windowsize", "1024", "768", "--editor"});
    EXPECT_EQ(mGame.GetGameState(), GameState::Editor);
    EXPECT_EQ(mGame.mFramework->mWindowWidth, 800);
    EXPECT_EQ(mGame.mFramework->mWindowHeight, 600);
    EXPECT_FALSE(mGame.mFramework->mCustomWindowSize);
    EXPECT_FALSE(mGame.mSettings.mFullscreen);
}
