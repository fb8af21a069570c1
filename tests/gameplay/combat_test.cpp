// What a recorded run (replay_test) cannot pin down: the exact timelines of
// the flashes and of death, and the edge rules of enemies and fireballs.

#include "gameplay/enemy.h"
#include "gameplay/projectile.h"
#include "playing_game.h"

#include <algorithm>
#include <initializer_list>
#include <set>

namespace
{
// A long hall: the player at its west end, an enemy (the second entity) far to the east.
const std::vector<std::string> HALL = {
    "################",
    "#@............E#",
    "################",
};

using Combat = PlayingGame;

// A timeline from runs of equal values.
std::vector<int> Runs(std::initializer_list<std::pair<int, int>> runs)
{
    std::vector<int> values;
    for (const auto& [value, count] : runs)
    {
        values.insert(values.end(), static_cast<std::size_t>(count), value);
    }
    return values;
}
} // namespace

TEST_F(Combat, EnemiesFaceAndApproachThePlayerUntilClose)
{
    Start(HALL);
    Entity& enemy = *game().mEntities[1];
    const double startX = enemy.mX;
    mTest->RunFrames(1);
    EXPECT_NEAR(enemy.mAngle, 960, 1e-6);
    EXPECT_DOUBLE_EQ(enemy.mX, startX - 4);
    // It walks with its legs moving.
    std::set<int> poses;
    for (int frame = 0; frame < 400; ++frame)
    {
        mTest->RunFrames(1);
        poses.insert(enemy.mAnimationFrame);
    }
    EXPECT_GT(poses.size(), 1U);
    // It stops about 229 units away.
    EXPECT_NEAR(enemy.mX - player().mX, 229, 4);
    const double x = enemy.mX;
    mTest->RunFrames(10);
    EXPECT_DOUBLE_EQ(enemy.mX, x);
}

TEST_F(Combat, AHurtEnemyStandsStillAndAKillIsScoredOnce)
{
    Start(HALL);
    Enemy& enemy = static_cast<Enemy&>(*game().mEntities[1]);
    // No fire, a hit of 10 (of its 15), then hits of 15.
    mTest->SetRandomSequence({40, 10, 40});
    player().AddProjectile(enemy.mX - 8, enemy.mY, 0);
    mTest->RunFrames(1);
    EXPECT_EQ(enemy.mHealth, 5);
    // Hurt, it stands still in its hurt pose.
    const double hurtX = enemy.mX;
    mTest->RunFrames(5);
    EXPECT_EQ(enemy.mAnimationFrame, 3);
    EXPECT_DOUBLE_EQ(enemy.mX, hurtX);
    // Two fireballs reach it in the same turn: the first kills it, the second
    // flies on through where it stood.
    player().AddProjectile(enemy.mX - 8, enemy.mY, 0);
    player().AddProjectile(enemy.mX - 8, enemy.mY, 0);
    mTest->RunFrames(1);
    EXPECT_EQ(Count(EntityType::Enemy), 0);
    EXPECT_EQ(Count(EntityType::PlayerProjectile), 1);
    EXPECT_EQ(std::pair(player().mTotalScore, player().mMapScore), std::pair(100, 100));
}

TEST_F(Combat, TheFlashesOfAHitAPickUpAndTheScrollKeepTheirTimelines)
{
    Start({"##########", "#@......E#", "#.......E#", "##########"});
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    player().mCurrentWeapon = WEAPON_SCROLL;
    // All three start in the same frame; a second pick-up while its flash runs
    // does not start it again. Each flash's strength frame by frame, -1 when off.
    game().InitHitScreen();
    game().InitPickUpScreen();
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    std::vector<int> hit;
    std::vector<int> pickUp;
    std::vector<int> scroll;
    int vanishedAt = -1;
    for (int frame = 0; frame < 36; ++frame)
    {
        mTest->RunFrames(1);
        hit.push_back(game().mHitScreenActive ? game().mHitAlpha : -1);
        pickUp.push_back(game().mPickUpScreenActive ? game().mPickUpAlpha : -1);
        scroll.push_back(game().mEradicateScreenActive ? game().mEradicateAlpha : -1);
        vanishedAt = vanishedAt < 0 && Count(EntityType::Enemy) == 0 ? frame : vanishedAt;
        if (frame == 0)
        {
            game().InitPickUpScreen();
            // The hit flash covers the whole frame.
            EXPECT_EQ(mTest->FramePixel(160, 120), (Rgb{196, 0, 0}));
        }
    }
    EXPECT_EQ(hit, Runs({{255, 5}, {191, 6}, {127, 6}, {63, 6}, {-1, 13}}));
    EXPECT_EQ(pickUp, Runs({{128, 1}, {64, 2}, {-1, 33}}));
    // The scroll's: 0 for five frames, 96 and 192 for six each, then 255 as
    // the enemies vanish (and score), then 159 and 63.
    EXPECT_EQ(scroll, Runs({{0, 5}, {96, 6}, {192, 6}, {255, 6}, {159, 6}, {63, 6}, {-1, 1}}));
    EXPECT_EQ(vanishedAt, 17);
    EXPECT_EQ(std::pair(player().mTotalScore, player().mMapScore), std::pair(200, 200));
    EXPECT_EQ(player().mScrolls, 0);
    const std::vector<std::string> sounds = mTest->TakeSounds();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "scroll.wav"), sounds.end());
}

TEST_F(Combat, DeathSinksPausesAndReturnsToTheMainMenu)
{
    Start(HALL);
    player().mHealth = 0;
    player().mAlive = false;
    // A fireball still ends on the dead player, and does nothing more.
    auto fireball = std::make_unique<Projectile>(&game());
    fireball->Init(static_cast<int>(player().mX) + 10, static_cast<int>(player().mY), 960,
                   EntityType::EnemyProjectile);
    game().mEntities.push_back(std::move(fireball));
    std::vector<double> heights;
    for (int frame = 0; frame < 7; ++frame)
    {
        mTest->RunFrames(1);
        heights.push_back(player().mZ);
    }
    EXPECT_EQ(heights, (std::vector<double>{28, 24, 20, 16, 12, 8, 8}));
    EXPECT_EQ(Count(EntityType::EnemyProjectile), 0);
    EXPECT_TRUE(mTest->TakeSounds().empty());
    EXPECT_FALSE(game().mHitScreenActive);
    // Dead, the player neither moves nor turns.
    mTest->KeyDown(SDL_SCANCODE_LEFT);
    mTest->RunFrames(29);
    EXPECT_DOUBLE_EQ(player().mAngle, 0);
    EXPECT_EQ(game().GetGameState(), GameState::Game);
    mTest->RunFrames(1);
    EXPECT_EQ(game().GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game().mCurrentMusic, "title.ogg");
}
