// The edge rules of the player's keys that a recorded run (replay_test) passes
// by: one shot a press, repeats, taps between two frames, weapons the player
// lacks, the distance kept from enemies, doors out of reach and unlocked ones.

#include "playing_game.h"

namespace
{
// An empty 8 x 5 room with the player in cell (3, 2), facing east.
const std::vector<std::string> ROOM = {"########", "#......#", "#..@...#", "#......#", "########"};

using PlayerKeys = PlayingGame;
} // namespace

TEST_F(PlayerKeys, FireAndWalkOncePerPressWithWhatThePlayerHas)
{
    Start(ROOM);
    // A tap between two frames still acts, once.
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->KeyUp(SDL_SCANCODE_UP);
    mTest->RunFrames(1);
    EXPECT_EQ(std::pair(player().mAmmo, player().mX), std::pair(7, 232.0));
    mTest->RunFrames(3);
    EXPECT_EQ(std::pair(player().mAmmo, player().mX), std::pair(7, 232.0));
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::MoveForward).mPressed);
    // Pressed again before the frame: the key is held, and the walk goes on.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->KeyUp(SDL_SCANCODE_UP);
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(3);
    EXPECT_DOUBLE_EQ(player().mX, 256);
    mTest->KeyUp(SDL_SCANCODE_UP);
    // Held, and with the key repeating, it fires once.
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    mTest->KeyDown(SDL_SCANCODE_LCTRL, true);
    mTest->RunFrames(10);
    EXPECT_EQ(player().mAmmo, 6);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    mTest->TapKey(SDL_SCANCODE_LCTRL);
    EXPECT_EQ(player().mAmmo, 5);
    EXPECT_EQ(mTest->TakeSounds(), (std::vector<std::string>(3, "fire.wav")));
    // Out of charges nothing leaves, and the key is still taken.
    player().mAmmo = 0;
    const std::size_t entities = game().mEntities.size();
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::Fire).mPressed);
    EXPECT_TRUE(mTest->TakeSounds().empty());
    EXPECT_LE(game().mEntities.size(), entities);
    // A weapon is chosen only with something to fire: the scroll with a
    // scroll in hand, the fireballs with charges.
    mTest->KeyDown(SDL_SCANCODE_2);
    mTest->RunFrames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_FIREBALL);
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    mTest->RunFrames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_SCROLL);
    mTest->KeyUp(SDL_SCANCODE_2);
    mTest->KeyDown(SDL_SCANCODE_1);
    mTest->RunFrames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_SCROLL);
    player().mAmmo = 1;
    mTest->RunFrames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_FIREBALL);
}

TEST_F(PlayerKeys, UseRepeatIsIgnoredButArrowsKeepRepeating)
{
    Start(ROOM);
    mTest->KeyDown(SDL_SCANCODE_SPACE);
    mTest->RunFrames(1);
    EXPECT_TRUE(game().mSettings.Binding(KeyAction::Use).mPressed);
    game().mSettings.Binding(KeyAction::Use).mPressed = false;
    mTest->KeyDown(SDL_SCANCODE_SPACE, true);
    mTest->KeyDown(SDL_SCANCODE_UP, true);
    mTest->RunFrames(1);
    EXPECT_FALSE(game().mSettings.Binding(KeyAction::Use).mPressed);
    EXPECT_TRUE(game().mSettings.Binding(KeyAction::MoveForward).mPressed);
}

TEST_F(PlayerKeys, WalkingKeepsThirtyTwoUnitsOffEnemies)
{
    Start({"########", "#......#", "#.@.E..#", "#......#", "########"});
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(20);
    const Entity* enemy = game().mEntities[1].get();
    const int dx = static_cast<int>(enemy->mX - player().mX);
    const int dy = static_cast<int>(enemy->mY - player().mY);
    EXPECT_GE(dx * dx + dy * dy, 1024);
    EXPECT_EQ(player().mX, static_cast<int>(player().mX));
}

TEST_F(PlayerKeys, UseReachesOnlyTheNextCellAndAnUnlockedDoorNeedsNoKey)
{
    // The player faces a blue door two cells to the west.
    Start({"######", "b..@.#", "#....#", "######"}, 180);
    DoorInfo& door = *game().mMap->GetDoor(0, 1);
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(mTest->TakeSounds().empty());
    // With the key, next to it: the door opens and keeps no lock.
    player().mKeys = KEY_BLUE_BIT;
    player().mX = 64 + 16;
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(door.active);
    EXPECT_EQ(player().mKeys, 0u);
    // Once closed again it opens without a key.
    mTest->RunFrames(34 + 150 + 40);
    EXPECT_FALSE(door.active);
    mTest->TakeSounds();
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(door.active);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"open_door.wav"});
}
