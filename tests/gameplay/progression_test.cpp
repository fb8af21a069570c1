#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
// Each map: the player two cells west of an exit door, an orb on the way, an
// enemy in a closed room (worth 100 on the map's best score), and more.
std::string ExitMap(const std::string& extra)
{
    return BuildMapText({
        "#######",
        "#@$.." + extra + "X",
        "#######",
        "#.E...#",
        "#######",
    });
}

class Progression : public ::testing::Test
{
protected:
    void Start(const std::vector<TestMap>& maps)
    {
        mTest = std::make_unique<TestGame>(OptionsWithMaps(maps));
        mTest->SetRandomSequence({40});
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    // Walks east until the map ends.
    void WalkToTheExit()
    {
        mTest->KeyDown(SDL_SCANCODE_UP);
        for (int frame = 0; frame < 100 && game().GetGameState() == GameState::Game; ++frame)
        {
            mTest->RunFrames(1);
        }
        mTest->KeyUp(SDL_SCANCODE_UP);
    }
    void PressAKeyAfterTheGuard()
    {
        mTest->RunFrames(16);
        mTest->TapKey(SDL_SCANCODE_SPACE);
    }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(Progression, ReturnOnTheFirstEntryStartsANewGameAtOnce)
{
    Start({{"one.map", ExitMap("."), "map1.ogg"}});
    mTest->KeyDown(SDL_SCANCODE_RETURN);
    mTest->RunFrames(1);
    EXPECT_EQ(game().GetGameState(), GameState::Game);
    EXPECT_TRUE(game().mGameInProgress);
    EXPECT_EQ(game().mCurrentMusic, "map1.ogg");
    EXPECT_EQ(game().mEntities.size(), 3u);
}

TEST_F(Progression, AOneMapListEndsAtTheEndScreen)
{
    Start({{"one.map", ExitMap("."), ""}});
    game().LoadMap(true);
    EXPECT_EQ(game().mCurrentMusic, "");
    WalkToTheExit();
    EXPECT_EQ(game().GetGameState(), GameState::TheEnd);
    EXPECT_EQ(game().mCurrentMusic, "the_end.ogg");
    EXPECT_EQ(game().mHighScoreTotal, 150);
    PressAKeyAfterTheGuard();
    EXPECT_EQ(game().GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game().mCurrentMusic, "title.ogg");
}

TEST_F(Progression, TheMapCompletedScreenIgnoresKeysForSixteenFrames)
{
    Start({{"one.map", ExitMap("."), ""}, {"two.map", ExitMap("."), ""}});
    game().LoadMap(true);
    // Keep the walk key held while the map ends.
    WalkToTheExit();
    EXPECT_EQ(game().GetGameState(), GameState::NextMap);
    EXPECT_EQ(game().mCurrentMusic, "map_completed.ogg");
    for (const KeyBinding& binding : game().mSettings.mKeyBindings)
    {
        EXPECT_FALSE(binding.mPressed);
    }
    for (int frame = 0; frame < 16; ++frame)
    {
        mTest->KeyDown(SDL_SCANCODE_SPACE);
        mTest->RunFrames(1);
        EXPECT_EQ(game().GetGameState(), GameState::NextMap) << frame;
    }
    // The walk key, still held, repeats: that is no new press.
    mTest->KeyDown(SDL_SCANCODE_UP, true);
    mTest->RunFrames(10);
    EXPECT_EQ(game().GetGameState(), GameState::NextMap);
    mTest->KeyDown(SDL_SCANCODE_SPACE);
    mTest->RunFrames(1);
    EXPECT_EQ(game().GetGameState(), GameState::Game);
    EXPECT_EQ(game().mCurrentMap, 1);
}

TEST_F(Progression, ARunThroughThreeMapsCarriesTheRightValues)
{
    Start({{"one.map", ExitMap("1"), "map1.ogg"},
           {"two.map", ExitMap("a"), "map2.ogg"},
           {"three.map", ExitMap("$"), "map3.ogg"}});
    mTest->TapKey(SDL_SCANCODE_RETURN);
    ASSERT_EQ(game().GetGameState(), GameState::Game);
    player().mHealth = 70;
    player().mScrolls = 2;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    WalkToTheExit();
    ASSERT_EQ(game().GetGameState(), GameState::NextMap);
    EXPECT_EQ(player().mKeys, KEY_BLUE_BIT);
    EXPECT_EQ(player().mMapScore, 50);

    PressAKeyAfterTheGuard();
    ASSERT_EQ(game().GetGameState(), GameState::Game);
    EXPECT_EQ(game().mCurrentMusic, "map2.ogg");
    // Keys stay behind; health, scrolls, charges and the total travel on.
    EXPECT_EQ(player().mKeys, 0u);
    EXPECT_EQ(player().mMapScore, 0);
    EXPECT_EQ(player().mTotalScore, 50);
    EXPECT_EQ(player().mHealth, 70);
    EXPECT_EQ(player().mScrolls, 2);
    EXPECT_EQ(player().mAmmo, 8);
    EXPECT_DOUBLE_EQ(player().mX, 96);
    EXPECT_EQ(game().mEntities.front().get(), static_cast<Entity*>(&player()));
    WalkToTheExit();
    EXPECT_EQ(player().mAmmo, 16);

    PressAKeyAfterTheGuard();
    WalkToTheExit();
    ASSERT_EQ(game().GetGameState(), GameState::TheEnd);
    EXPECT_EQ(player().mTotalScore, 200);
    // Each map's best: one orb (plus the orb of the third) and one enemy.
    EXPECT_EQ(game().mHighScoreTotal, 150 + 150 + 200);
}
