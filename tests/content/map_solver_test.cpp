// The search that proves the campaign playable must itself catch unplayable maps.

#include "campaign_maps.h"
#include "map_solver.h"

#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
using Texts = std::vector<std::string>;

MapSolution Solve(const Texts& rows)
{
    return SolveMap(ReadMapText(BuildMapText(rows)));
}
} // namespace

TEST(MapSolver, FindsTheExitThroughDoorsOpenedWithKeysFoundOnTheWay)
{
    // A standard door, then the blue key, then the blue door in a north-south wall.
    // clang-format off
    const Texts rows = {
        "#######",
        "#@..#.X",
        "##D##.#",
        "#1..b.#",
        "#######",
    };
    // clang-format on
    const MapSolution solution = Solve(rows);
    EXPECT_TRUE(solution.complete);
    EXPECT_TRUE(solution.exitReachable);
    EXPECT_TRUE(solution.unreachableItems.empty());
    EXPECT_TRUE(solution.deadEnds.empty());
}

TEST(MapSolver, ListsItemsAndExitsOutOfReach)
{
    // The orange key lies behind its own door, the orb is walled in, the exit's only
    // neighbour is sealed and the fake exit within reach is no exit.
    // clang-format off
    const Texts rows = {
        "#########",
        "#@..#2#$#",
        "#...o.###",
        "#h..#.#.X",
        "F...#####",
        "#########",
    };
    // clang-format on
    const MapSolution solution = Solve(rows);
    EXPECT_FALSE(solution.exitReachable);
    EXPECT_EQ(solution.unreachableItems, (Texts{"OrangeKey at (5, 1)", "Orb at (7, 1)"}));
}

TEST(MapSolver, ADoorInTheWrongWallBlocksItsOwnPassage)
{
    // Passed from west to east, a standard door marks the floor on both sides as its
    // frame, and those cells block like walls.
    // clang-format off
    const Texts standard = {
        "#######",
        "#@.D..X",
        "#######",
    };
    // clang-format on
    EXPECT_FALSE(Solve(standard).exitReachable);
    // A locked door passed from north to south does the same.
    // clang-format off
    const Texts locked = {
        "######",
        "#@1..#",
        "###b##",
        "#....X",
        "######",
    };
    // clang-format on
    EXPECT_FALSE(Solve(locked).exitReachable);
}

TEST(MapSolver, KeysAreUsedUpAndOnlyOneOfAColourIsCarried)
{
    // Two blue doors in a row and two blue keys at the start: the second key is taken
    // once the first has opened a door, and opens the second.
    // clang-format off
    const Texts twoKeys = {
        "###########",
        "#@11.b.b..X",
        "###########",
    };
    // clang-format on
    EXPECT_TRUE(Solve(twoKeys).exitReachable);
    EXPECT_TRUE(Solve(twoKeys).deadEnds.empty());

    // One key and two blue doors: spent on the west door, it leaves the exit shut.
    // clang-format off
    const Texts oneKey = {
        "###########",
        "#$.b.@1.b.X",
        "###########",
    };
    // clang-format on
    EXPECT_TRUE(Solve(oneKey).exitReachable);
    EXPECT_EQ(Solve(oneKey).deadEnds, (Texts{"after opening (3, 1)"}));

    // A second key behind the west door makes either order safe.
    // clang-format off
    const Texts spare = {
        "###########",
        "#1.b.@1.b.X",
        "###########",
    };
    // clang-format on
    EXPECT_TRUE(Solve(spare).deadEnds.empty());
    EXPECT_TRUE(Solve(spare).unreachableItems.empty());
}
