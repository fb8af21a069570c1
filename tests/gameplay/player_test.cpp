#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
// An empty 8 x 8 room with the player in the middle of cell (3, 3), facing east.
const std::vector<std::string> ROOM = {
    "########", "#......#", "#......#", "#..@...#", "#......#", "#......#", "#......#", "########",
};

class PlayerTest : public ::testing::Test
{
protected:
    void Start(const std::vector<std::string>& rows, int degrees = 0)
    {
        mTest = std::make_unique<TestGame>(
            OptionsWithMaps({{"test.map", BuildMapText(rows, degrees), ""}}));
        mTest->game().LoadMap(true);
        mTest->TakeSounds();
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    void Hold(SDL_Scancode key) { mTest->KeyDown(key); }
    void Release(SDL_Scancode key) { mTest->KeyUp(key); }
    void Frames(int count) { mTest->RunFrames(count); }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(PlayerTest, WalksTurnsRunsAndStrafes)
{
    Start(ROOM);
    EXPECT_DOUBLE_EQ(player().mX, 224);
    EXPECT_DOUBLE_EQ(player().mY, 224);
    Hold(SDL_SCANCODE_UP);
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mX, 232);
    EXPECT_DOUBLE_EQ(player().mY, 224);
    Hold(SDL_SCANCODE_LSHIFT);
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mX, 248);
    Release(SDL_SCANCODE_UP);
    Release(SDL_SCANCODE_LSHIFT);
    Hold(SDL_SCANCODE_DOWN);
    Frames(2);
    EXPECT_DOUBLE_EQ(player().mX, 232);
    Release(SDL_SCANCODE_DOWN);

    // Turning: 30 angle units a frame, wrapping below 0.
    Hold(SDL_SCANCODE_LEFT);
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mAngle, 1890);
    Hold(SDL_SCANCODE_RIGHT);
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mAngle, 1890);
    Release(SDL_SCANCODE_LEFT);
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mAngle, 0);
    Release(SDL_SCANCODE_RIGHT);

    // Strafing left while running moves 16 units towards -y and does not turn.
    Hold(SDL_SCANCODE_LALT);
    Hold(SDL_SCANCODE_LSHIFT);
    Hold(SDL_SCANCODE_LEFT);
    const double y = player().mY;
    Frames(1);
    EXPECT_DOUBLE_EQ(player().mAngle, 0);
    EXPECT_NEAR(player().mY, y - 16, 1.0);
    EXPECT_DOUBLE_EQ(player().mX, 232);
}

TEST_F(PlayerTest, SlidesAlongWallsAndStopsAtThem)
{
    Start(ROOM);
    // Facing north-east into the top wall: keeps moving east along it.
    player().mAngle = 1680;
    player().mY = 64 + 17;
    Hold(SDL_SCANCODE_UP);
    const double x = player().mX;
    Frames(1);
    EXPECT_GT(player().mX, x);
    EXPECT_DOUBLE_EQ(player().mY, 81);
    // Straight into the east wall: stays put, 16 units off it.
    player().mAngle = 0;
    Frames(40);
    EXPECT_GE(player().mX, 448 - 16 - 8);
    EXPECT_LT(player().mX, 448 - 16);
}

TEST_F(PlayerTest, KeepsThirtyTwoUnitsOffEnemies)
{
    Start({
        "########",
        "#......#",
        "#.@.E..#",
        "#......#",
        "########",
    });
    mTest->SetRandomSequence({40});
    Hold(SDL_SCANCODE_UP);
    Frames(20);
    const Entity* enemy = game().mEntities[1].get();
    const int dx = static_cast<int>(enemy->mX - player().mX);
    const int dy = static_cast<int>(enemy->mY - player().mY);
    EXPECT_GE(dx * dx + dy * dy, 1024);
    EXPECT_EQ(player().mX, static_cast<int>(player().mX));
}

TEST_F(PlayerTest, FiresOncePerPress)
{
    Start(ROOM);
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    Frames(1);
    EXPECT_EQ(player().mAmmo, 7);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"fire.wav"});
    // Held, and with the key repeating, it fires no more.
    mTest->KeyDown(SDL_SCANCODE_LCTRL, true);
    Frames(10);
    EXPECT_EQ(player().mAmmo, 7);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    Frames(1);
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    Frames(1);
    EXPECT_EQ(player().mAmmo, 6);

    // Out of charges nothing leaves, and the key is still taken.
    player().mAmmo = 0;
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    Frames(1);
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    const std::size_t entities = game().mEntities.size();
    mTest->TakeSounds();
    Frames(1);
    EXPECT_EQ(player().mAmmo, 0);
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::Fire).mPressed);
    EXPECT_TRUE(mTest->TakeSounds().empty());
    EXPECT_LE(game().mEntities.size(), entities);
}

TEST_F(PlayerTest, ScrollSelectionNeedsAScroll)
{
    Start(ROOM);
    Hold(SDL_SCANCODE_2);
    Frames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_FIREBALL);
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    Frames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_SCROLL);
    Release(SDL_SCANCODE_2);
    Hold(SDL_SCANCODE_1);
    Frames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_FIREBALL);
}

TEST_F(PlayerTest, UseRepeatIsIgnoredButArrowsKeepRepeating)
{
    Start(ROOM);
    mTest->KeyDown(SDL_SCANCODE_SPACE);
    Frames(1);
    EXPECT_TRUE(game().mSettings.Binding(KeyAction::Use).mPressed);
    game().mSettings.Binding(KeyAction::Use).mPressed = false;
    mTest->KeyDown(SDL_SCANCODE_SPACE, true);
    mTest->KeyDown(SDL_SCANCODE_UP, true);
    Frames(1);
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::Use).mPressed);
    EXPECT_TRUE(game().mSettings.Binding(KeyAction::MoveForward).mPressed);
}

TEST_F(PlayerTest, AQuickTapBetweenTwoFramesStillActsOnce)
{
    Start(ROOM);
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->KeyUp(SDL_SCANCODE_UP);
    Frames(1);
    EXPECT_EQ(player().mAmmo, 7);
    EXPECT_DOUBLE_EQ(player().mX, 232);
    Frames(3);
    EXPECT_EQ(player().mAmmo, 7);
    EXPECT_DOUBLE_EQ(player().mX, 232);
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::MoveForward).mPressed);

    // Pressed again before the frame: the key is held, and the walk goes on.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->KeyUp(SDL_SCANCODE_UP);
    mTest->KeyDown(SDL_SCANCODE_UP);
    Frames(3);
    EXPECT_DOUBLE_EQ(player().mX, 256);
}
