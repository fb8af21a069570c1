#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
class Items : public ::testing::Test
{
protected:
    // One item two cells east of the player; returns after the player walked onto it.
    void WalkOnto(char item)
    {
        std::string row = "#@..#";
        row[3] = item;
        mTest.reset();
        mTest = std::make_unique<TestGame>(
            OptionsWithMaps({{"items.map", BuildMapText({"#####", row, "#####"}), ""}}));
        game().LoadMap(true);
    }
    void Step()
    {
        player().mX = 3 * 64 + 32;
        mTest->TakeSounds();
        mTest->RunFrames(1);
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    bool ItemTaken() { return game().mEntities.size() == 1; }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(Items, HealthIsCappedAndRefusedAtFull)
{
    WalkOnto('h');
    Step();
    EXPECT_FALSE(ItemTaken());
    EXPECT_TRUE(mTest->TakeSounds().empty());
    player().mHealth = 95;
    mTest->RunFrames(1);
    EXPECT_TRUE(ItemTaken());
    EXPECT_EQ(player().mHealth, 100);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"pick_up.wav"});
    EXPECT_TRUE(game().mPickUpScreenActive);
}

TEST_F(Items, AmmoIsCappedAtAHundred)
{
    WalkOnto('a');
    player().mAmmo = 100;
    Step();
    EXPECT_FALSE(ItemTaken());
    player().mAmmo = 96;
    mTest->RunFrames(1);
    EXPECT_EQ(player().mAmmo, 100);
    WalkOnto('a');
    Step();
    EXPECT_EQ(player().mAmmo, 16);
}

TEST_F(Items, OrbsScoreOnBothCounts)
{
    WalkOnto('$');
    Step();
    EXPECT_TRUE(ItemTaken());
    EXPECT_EQ(player().mTotalScore, 50);
    EXPECT_EQ(player().mMapScore, 50);
}

TEST_F(Items, TheFirstScrollIsPutInHand)
{
    WalkOnto('s');
    Step();
    EXPECT_EQ(player().mScrolls, 1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_SCROLL);
    EXPECT_TRUE(player().mWeapons & WEAPON_SCROLL_BIT);

    // Later scrolls leave the selection alone; a fourth is refused.
    WalkOnto('s');
    player().mWeapons |= WEAPON_SCROLL_BIT;
    player().mScrolls = 2;
    Step();
    EXPECT_EQ(player().mScrolls, 3);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_FIREBALL);
    WalkOnto('s');
    player().mScrolls = 3;
    Step();
    EXPECT_FALSE(ItemTaken());
}

TEST_F(Items, AKeyIsRefusedWhileOneOfItsColourIsHeld)
{
    for (const auto& [item, bit] : {std::pair{'1', KEY_BLUE_BIT}, std::pair{'2', KEY_ORANGE_BIT},
                                    std::pair{'3', KEY_BRONZE_BIT}})
    {
        WalkOnto(item);
        player().mKeys = bit;
        Step();
        EXPECT_FALSE(ItemTaken());
        player().mKeys = 0;
        mTest->RunFrames(1);
        EXPECT_TRUE(ItemTaken());
        EXPECT_EQ(player().mKeys, bit);
    }
}

TEST_F(Items, OutOfReachNothingHappens)
{
    WalkOnto('$');
    player().mX = 3 * 64 + 32 - 32;
    mTest->RunFrames(1);
    EXPECT_FALSE(ItemTaken());
    player().mX += 1;
    mTest->RunFrames(1);
    EXPECT_TRUE(ItemTaken());
}
