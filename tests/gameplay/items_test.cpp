// Items are taken within reach, and only when they add something: caps,
// refusals and the first scroll put in hand.

#include "playing_game.h"

namespace
{
class Items : public PlayingGame
{
protected:
    // The item one cell east of the player, just out of reach.
    void Before(char item)
    {
        std::string row = "#@..#";
        row[3] = item;
        Start({"#####", row, "#####"});
        player().mX = 3 * 64;
    }
    // A step within reach, and one frame.
    void Step()
    {
        player().mX += 1;
        mTest->RunFrames(1);
    }
    bool Taken() { return game().mEntities.size() == 1; }
};
} // namespace

TEST_F(Items, AreTakenWithinReachWhenTheyAddSomething)
{
    const struct
    {
        char item;
        std::int32_t Player::*field;
        int before;
        int after;
    } cases[] = {
        {'h', &Player::mHealth, 100, 100}, {'h', &Player::mHealth, 95, 100},
        {'a', &Player::mAmmo, 100, 100},   {'a', &Player::mAmmo, 96, 100},
        {'a', &Player::mAmmo, 8, 16},      {'$', &Player::mTotalScore, 30, 80},
        {'$', &Player::mMapScore, 30, 80}, {'s', &Player::mScrolls, 3, 3},
        {'s', &Player::mScrolls, 2, 3},    {'s', &Player::mScrolls, 0, 1},
    };
    for (const auto& [item, field, before, after] : cases)
    {
        SCOPED_TRACE(testing::Message() << item << " " << before);
        Before(item);
        player().*field = before;
        // A player with scrolls has the scroll among its weapons.
        player().mWeapons |= item == 's' && before > 0 ? WEAPON_SCROLL_BIT : 0;
        // 32 units away it is out of reach.
        mTest->RunFrames(1);
        EXPECT_FALSE(Taken());
        mTest->TakeSounds();
        Step();
        const bool taken = after != before;
        EXPECT_EQ(Taken(), taken);
        EXPECT_EQ(player().*field, after);
        EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>(taken ? 1 : 0, "pick_up.wav"));
        EXPECT_EQ(game().mPickUpScreenActive, taken);
        // Only the first scroll ever taken is put in hand.
        EXPECT_EQ(player().mCurrentWeapon,
                  item == 's' && before == 0 ? WEAPON_SCROLL : WEAPON_FIREBALL);
    }
}

TEST_F(Items, AKeyIsRefusedWhileOneOfItsColourIsHeld)
{
    const std::uint32_t all = KEY_BLUE_BIT | KEY_ORANGE_BIT | KEY_BRONZE_BIT;
    for (const auto& [item, bit] :
         {std::pair{'1', KEY_BLUE_BIT}, {'2', KEY_ORANGE_BIT}, {'3', KEY_BRONZE_BIT}})
    {
        SCOPED_TRACE(item);
        Before(item);
        player().mKeys = bit;
        Step();
        EXPECT_FALSE(Taken());
        player().mKeys = all & ~bit;
        mTest->RunFrames(1);
        EXPECT_TRUE(Taken());
        EXPECT_EQ(player().mKeys, all);
    }
}
