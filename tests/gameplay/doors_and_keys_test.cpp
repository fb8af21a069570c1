#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
// The player faces north towards a standard door (2, 3); west of the start a
// blue-locked door (1, 5) leads on, and a blue key lies behind the player.
const std::vector<std::string> DOORS = {
    "#####",
    "#...#",
    "#...#",
    "##D##",
    "#...#",
    "b.@.#",
    "#.1.#",
    "#####",
};

class DoorsAndKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mTest = std::make_unique<TestGame>(OptionsWithMaps({{"doors.map", BuildMapText(DOORS, 90), ""}}));
        game().LoadMap(true);
        mTest->TakeSounds();
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    DoorInfo& DoorAt(int x, int y) { return *game().mMap->GetDoor(x, y); }
    void FaceTowards(double angle) { player().mAngle = angle; }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(DoorsAndKeys, StandardDoorOpensWithUseAndStaysOpenWhileOccupied)
{
    DoorInfo& door = DoorAt(2, 3);
    // Too far away: nothing happens.
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_FALSE(door.active);
    // Walk up to the door and use it.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(10);
    mTest->KeyUp(SDL_SCANCODE_UP);
    mTest->RunFrames(1);
    EXPECT_DOUBLE_EQ(player().mY, 4 * 64 + 16);
    mTest->TakeSounds();
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(door.active);
    // Heard from the door's corner, a little to the left of straight ahead.
    ASSERT_EQ(mTest->Sounds().size(), 1u);
    const SoundEvent opening = mTest->Sounds()[0];
    EXPECT_EQ(opening.name, "open_door.wav");
    EXPECT_TRUE(opening.directional);
    EXPECT_EQ(opening.left, 255);
    EXPECT_EQ(opening.right, 224);
    EXPECT_EQ(opening.volume, 64);
    mTest->TakeSounds();
    mTest->RunFrames(40);
    EXPECT_FALSE(door.blocking);
    // Walk into the doorway and wait there far longer than the door's delay.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(4);
    mTest->KeyUp(SDL_SCANCODE_UP);
    EXPECT_EQ(player().TileY(), 3);
    mTest->RunFrames(200);
    EXPECT_TRUE(door.active);
    EXPECT_FALSE(door.blocking);
    // Leave northwards: 150 frames later it closes.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(9);
    mTest->KeyUp(SDL_SCANCODE_UP);
    EXPECT_EQ(player().TileY(), 2);
    mTest->RunFrames(150 + 40);
    EXPECT_FALSE(door.active);
    EXPECT_TRUE(door.blocking);
}

TEST_F(DoorsAndKeys, LockedDoorNeedsItsKeyUsesItUpAndStaysUnlocked)
{
    DoorInfo& door = DoorAt(0, 5);
    FaceTowards(960);
    // Walk west until stopped by the locked door.
    mTest->KeyDown(SDL_SCANCODE_UP);
    mTest->RunFrames(10);
    mTest->KeyUp(SDL_SCANCODE_UP);
    mTest->RunFrames(1);
    mTest->TakeSounds();
    // Without the key: one refusal per press, however long it is held.
    mTest->KeyDown(SDL_SCANCODE_SPACE);
    mTest->RunFrames(5);
    mTest->KeyDown(SDL_SCANCODE_SPACE, true);
    mTest->RunFrames(5);
    mTest->KeyUp(SDL_SCANCODE_SPACE);
    mTest->RunFrames(1);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"nope.wav"});
    EXPECT_FALSE(door.active);
    EXPECT_TRUE(door.locked);

    // Fetch the key (one cell south-east of the start).
    player().mX = 2 * 64 + 32;
    player().mY = 6 * 64 + 32;
    mTest->RunFrames(1);
    EXPECT_EQ(player().mKeys, KEY_BLUE_BIT);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"pick_up.wav"});

    player().mX = 64 + 16;
    player().mY = 5 * 64 + 32;
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(door.active);
    EXPECT_FALSE(door.locked);
    EXPECT_EQ(player().mKeys, 0u);

    // Once closed again it opens without a key.
    mTest->RunFrames(34 + 150 + 40);
    EXPECT_FALSE(door.active);
    mTest->TakeSounds();
    mTest->TapKey(SDL_SCANCODE_SPACE);
    EXPECT_TRUE(door.active);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"open_door.wav"});
}
