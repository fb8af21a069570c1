// Maps built to wear the game down: too many entities, and enemies enough to
// fill the air with fireballs. Each would make every turn and view crawl.
#include "gameplay/enemy.h"
#include "gameplay/player.h"
#include "gameplay/projectile.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
const std::string ROOM = "3\n3\n\n1 1 1\n1 0 1\n1 1 1\n\n0 0 0\n0 0 0\n0 0 0\n\n";

std::string RoomWithEnemies(int enemies)
{
    std::string text = ROOM + "Type Player\nAngle 0\nX 1\nY 1";
    for (int i = 0; i < enemies; ++i)
    {
        text += "\n\nType Enemy\nAngle 0\nX 1\nY 1";
    }
    return text;
}

std::size_t ProjectilesOf(const Game& game)
{
    std::size_t count = 0;
    for (const auto& entity : game.mEntities)
    {
        count += IsProjectileType(entity->mType) ? 1 : 0;
    }
    return count;
}
} // namespace

TEST(HostileMaps, AMapBuildsAtMost4096Entities)
{
    WorldFixture world;
    world.Load(RoomWithEnemies(Map::MAX_ENTITIES - 1));
    EXPECT_EQ(world.game().mEntities.size(), 4096u);
    EXPECT_EQ(world.map().mMaxScore, 4095 * 100);
    try
    {
        world.Load(RoomWithEnemies(Map::MAX_ENTITIES));
        FAIL() << "a map with 4097 entities loaded";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "Error loading map: Too many entities (Must be at most 4096)!");
    }
}

TEST(HostileMaps, NobodyFiresWhileTheAirIsFull)
{
    WorldFixture world;
    world.Load(MapText({"11111", "10001", "11111"}).Add("Player", 1, 1).Add("Enemy", 3, 1));
    Game& game = world.game();
    // Every draw is the lowest: the enemy fires whenever it may.
    game.mRandomSource = [](int min, int) { return min; };
    auto* enemy = static_cast<Enemy*>(game.mEntities[1].get());
    for (std::size_t i = 0; i < Projectile::MAX_IN_FLIGHT; ++i)
    {
        auto projectile = std::make_unique<Projectile>(&game);
        projectile->Init(160, 96, 0,
                         i % 2 == 0 ? EntityType::EnemyProjectile : EntityType::PlayerProjectile);
        game.mEntities.push_back(std::move(projectile));
    }
    enemy->Action(world.player().mX, world.player().mY);
    EXPECT_EQ(ProjectilesOf(game), 4096u);
    // The player's shot is held back too, and costs nothing.
    Player& player = world.player();
    const int ammo = player.mAmmo;
    game.mSettings.Binding(KeyAction::Fire).mPressed = true;
    player.Action();
    EXPECT_EQ(ProjectilesOf(game), 4096u);
    EXPECT_EQ(player.mAmmo, ammo);

    game.mEntities.pop_back();
    enemy->Action(world.player().mX, world.player().mY);
    EXPECT_EQ(ProjectilesOf(game), 4096u);
    EXPECT_EQ(game.mEntities.back()->mType, EntityType::EnemyProjectile);
}
