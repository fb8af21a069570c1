#include "gameplay/enemy.h"
#include "gameplay/player.h"
#include "gameplay/projectile.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
// A long hall: the player at its west end, an enemy far to the east.
const std::vector<std::string> HALL = {
    "################",
    "#@............E#",
    "################",
};

class Combat : public ::testing::Test
{
protected:
    void Start(const std::vector<std::string>& rows)
    {
        mTest =
            std::make_unique<TestGame>(OptionsWithMaps({{"combat.map", BuildMapText(rows), ""}}));
        game().LoadMap(true);
        // No enemy fires unless a test says so.
        mTest->SetRandomSequence({40});
        mTest->TakeSounds();
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    Enemy* FirstEnemy()
    {
        for (const auto& entity : game().mEntities)
        {
            if (entity->mType == EntityType::Enemy)
            {
                return static_cast<Enemy*>(entity.get());
            }
        }
        return nullptr;
    }
    int Count(EntityType type)
    {
        int count = 0;
        for (const auto& entity : game().mEntities)
        {
            count += entity->mType == type ? 1 : 0;
        }
        return count;
    }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(Combat, EnemiesFaceAndApproachThePlayerUntilClose)
{
    Start(HALL);
    Enemy* enemy = FirstEnemy();
    const double startX = enemy->mX;
    mTest->RunFrames(1);
    EXPECT_NEAR(enemy->mAngle, 960, 1e-6);
    EXPECT_DOUBLE_EQ(enemy->mX, startX - 4);
    mTest->RunFrames(400);
    // It stops about 229 units away.
    EXPECT_NEAR(enemy->mX - player().mX, 229, 4);
    const double x = enemy->mX;
    mTest->RunFrames(10);
    EXPECT_DOUBLE_EQ(enemy->mX, x);
}

TEST_F(Combat, EnemyFireballsHurtThePlayerAndFlashTheScreen)
{
    Start({
        "########",
        "#@...E.#",
        "########",
    });
    // The enemy fires in the first frame; every hit does 10 damage.
    mTest->SetRandomSequence({0, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 10});
    mTest->RunFrames(1);
    EXPECT_EQ(FirstEnemy()->mAnimationFrame, 2);
    EXPECT_EQ(Count(EntityType::EnemyProjectile), 1);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"fire.wav"});
    mTest->RunFrames(40);
    EXPECT_EQ(Count(EntityType::EnemyProjectile), 0);
    EXPECT_EQ(player().mHealth, 90);
    EXPECT_EQ(mTest->TakeSounds(), std::vector<std::string>{"player_hit.wav"});
}

TEST_F(Combat, AFireballEndsOnAPlayerAlreadyDead)
{
    Start(HALL);
    player().mHealth = 0;
    player().mAlive = false;
    // Coming from the east, 10 units away from the dead player.
    auto fireball = std::make_unique<Projectile>(&game());
    fireball->Init(static_cast<int>(player().mX) + 10, static_cast<int>(player().mY), 960,
                   EntityType::EnemyProjectile);
    game().mEntities.push_back(std::move(fireball));
    game().DoEntities();
    game().DoEntities();
    EXPECT_EQ(Count(EntityType::EnemyProjectile), 0);
    EXPECT_TRUE(mTest->TakeSounds().empty());
    EXPECT_FALSE(game().mHitScreenActive);
}

TEST_F(Combat, TheHitFlashTimeline)
{
    Start(HALL);
    game().InitHitScreen();
    std::vector<int> alphas;
    for (int frame = 0; frame < 30; ++frame)
    {
        mTest->RunFrames(1);
        alphas.push_back(game().mHitScreenActive ? game().mHitAlpha : 0);
    }
    const std::vector<int> expected = {255, 255, 255, 255, 255, 191, 191, 191, 191, 191,
                                       191, 127, 127, 127, 127, 127, 127, 63,  63,  63,
                                       63,  63,  63,  0,   0,   0,   0,   0,   0,   0};
    EXPECT_EQ(alphas, expected);
    // Drawn over the whole frame: a red tint on the first frames.
    game().InitHitScreen();
    mTest->RunFrames(1);
    const Rgb tinted = mTest->FramePixel(160, 120);
    EXPECT_GT(tinted.r, 150);
    EXPECT_LT(tinted.g, 20);
}

TEST_F(Combat, DeathSinksPausesAndReturnsToTheMainMenu)
{
    Start(HALL);
    player().mHealth = 0;
    player().mAlive = false;
    std::vector<double> heights;
    for (int frame = 0; frame < 7; ++frame)
    {
        mTest->RunFrames(1);
        heights.push_back(player().mZ);
    }
    EXPECT_EQ(heights, (std::vector<double>{28, 24, 20, 16, 12, 8, 8}));
    EXPECT_EQ(game().GetGameState(), GameState::Game);
    // Dead, the player neither moves nor turns.
    mTest->KeyDown(SDL_SCANCODE_LEFT);
    mTest->RunFrames(29);
    EXPECT_DOUBLE_EQ(player().mAngle, 0);
    EXPECT_EQ(game().GetGameState(), GameState::Game);
    mTest->RunFrames(1);
    EXPECT_EQ(game().GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game().mCurrentMusic, "title.ogg");
}

TEST_F(Combat, FireballsKillEnemiesAndScore)
{
    Start({
        "##########",
        "#@...E...#",
        "##########",
    });
    // Damage 10, then 10 again: the second hit kills (15 health).
    mTest->SetRandomSequence({40, 40, 40, 10, 40, 40, 10});
    Enemy* enemy = FirstEnemy();
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    int frames = 0;
    while (Count(EntityType::PlayerProjectile) > 0 && frames < 60)
    {
        mTest->RunFrames(1);
        ++frames;
    }
    EXPECT_LT(frames, 60);
    EXPECT_EQ(enemy->mHealth, 5);
    EXPECT_EQ(player().mTotalScore, 0);
    // Hurt: frozen in the hurt pose.
    const double hurtX = enemy->mX;
    mTest->RunFrames(5);
    EXPECT_EQ(enemy->mAnimationFrame, 3);
    EXPECT_DOUBLE_EQ(enemy->mX, hurtX);

    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(60);
    EXPECT_EQ(Count(EntityType::Enemy), 0);
    EXPECT_EQ(player().mTotalScore, 100);
    EXPECT_EQ(player().mMapScore, 100);
}

TEST_F(Combat, AFireballAgainstABookshelfEmptiesIt)
{
    Start({
        "#####",
        "#@..B",
        "#####",
    });
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(40);
    EXPECT_EQ(game().mMap->CheckTileType(4, 1), 5);
    EXPECT_EQ(Count(EntityType::PlayerProjectile), 0);
    const std::vector<std::string> sounds = mTest->TakeSounds();
    EXPECT_EQ(sounds, (std::vector<std::string>{"fire.wav", "collision.wav"}));
}

TEST_F(Combat, TheScrollWipesOutEveryEnemyAtTheFlashsPeak)
{
    Start({
        "##########",
        "#@......E#",
        "#.......E#",
        "##########",
    });
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    player().mCurrentWeapon = WEAPON_SCROLL;
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    EXPECT_EQ(player().mScrolls, 0);
    EXPECT_TRUE(game().mEradicateScreenActive);
    std::vector<int> alphas{game().mEradicateAlpha};
    int vanishedAt = -1;
    for (int frame = 1; frame < 45; ++frame)
    {
        mTest->RunFrames(1);
        alphas.push_back(game().mEradicateScreenActive ? game().mEradicateAlpha : -1);
        if (vanishedAt < 0 && Count(EntityType::Enemy) == 0)
        {
            vanishedAt = frame;
        }
    }
    // The flash starts in the frame of the shot: 0 for five frames, 96 and 192
    // for six each, then 255 as the enemies vanish, then 159 and 63.
    const auto frames = [&](int first, int count)
    { return std::vector<int>(alphas.begin() + first, alphas.begin() + first + count); };
    EXPECT_EQ(frames(0, 5), std::vector<int>(5, 0));
    EXPECT_EQ(frames(5, 6), std::vector<int>(6, 96));
    EXPECT_EQ(frames(11, 6), std::vector<int>(6, 192));
    EXPECT_EQ(frames(17, 6), std::vector<int>(6, 255));
    EXPECT_EQ(vanishedAt, 17);
    EXPECT_EQ(player().mTotalScore, 200);
    EXPECT_EQ(player().mMapScore, 200);
    EXPECT_EQ(frames(23, 6), std::vector<int>(6, 159));
    EXPECT_EQ(frames(29, 6), std::vector<int>(6, 63));
    EXPECT_EQ(alphas[35], -1);
    const std::vector<std::string> sounds = mTest->TakeSounds();
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "scroll.wav"), sounds.end());
}

TEST_F(Combat, AnEnemyKilledThisTurnIsNotScoredTwice)
{
    Start({
        "#######",
        "#@.E..#",
        "#######",
    });
    Enemy* enemy = FirstEnemy();
    // Two fireballs reach the enemy in the same turn; the first kills it.
    player().AddProjectile(enemy->mX - 8, enemy->mY, 0);
    player().AddProjectile(enemy->mX - 8, enemy->mY, 0);
    mTest->SetRandomSequence({40, 15, 15});
    mTest->RunFrames(1);
    EXPECT_EQ(Count(EntityType::Enemy), 0);
    // The second fireball flies on through where the enemy stood.
    EXPECT_EQ(Count(EntityType::PlayerProjectile), 1);
    EXPECT_EQ(player().mTotalScore, 100);
    EXPECT_EQ(player().mMapScore, 100);
}
