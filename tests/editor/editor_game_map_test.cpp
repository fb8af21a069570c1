#include "editor_harness.h"

#include "gameplay/player.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

namespace
{
// Paints a closed 10 x 8 room split by a wall with a standard door, an exit
// in the outer wall, the player facing down the map, an enemy and an orb,
// saves it and returns the file's text and the high score the editor showed.
std::pair<std::string, int> PaintRoom()
{
    EditorHarness editor;
    editor.NewMap("10", "8");
    for (int x = 0; x < 10; ++x)
    {
        editor.Click(x, 0);
        editor.Click(x, 7);
        editor.Click(x, 4);
    }
    for (int y = 1; y < 7; ++y)
    {
        editor.Click(0, y);
        editor.Click(9, y);
    }
    editor.Paint(0, "Standard Door", 4, 4);
    editor.Paint(0, "Exit Door", 9, 2);
    editor.Paint(2, "Player", 2, 2);
    for (int turn = 0; turn < 3; ++turn)
    {
        editor.Press(SDL_SCANCODE_A);
    }
    editor.Paint(2, "Enemy", 6, 6);
    editor.Paint(2, "Orb", 3, 6);
    editor.SaveAs("room");
    return {editor.ReadMap("room.map"), editor.game().mMapHighScore};
}
} // namespace

TEST(EditorGameMap, APaintedRoomLoadsInTheGame)
{
    const auto [text, highScore] = PaintRoom();
    EXPECT_EQ(highScore, 150);

    WorldFixture world;
    world.Load(text);
    const Map& map = world.map();
    EXPECT_EQ(map.mWidth, 10);
    EXPECT_EQ(map.mHeight, 8);
    EXPECT_EQ(map.mMaxScore, highScore);
    EXPECT_EQ(map.GetHighScore(world.WriteMap(text, "room.map")), highScore);
    ASSERT_EQ(map.mDoors.size(), 2u);
    ASSERT_EQ(world.game().mEntities.size(), 3u);
    const Player& player = world.player();
    EXPECT_EQ(player.mX, 2 * 64 + 32);
    EXPECT_EQ(player.mY, 2 * 64 + 32);
    EXPECT_EQ(player.mAngle, 480); // 270 degrees: down the map
}
