#include "gameplay/enemy.h"
#include "gameplay/projectile.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

namespace
{
const MapText ROOM = MapText({"11111", "10001", "10601", "10001", "11111"}).Add("Player", 1, 1);

Projectile& AddProjectile(WorldFixture& world, int x, int y, EntityType type)
{
    auto projectile = std::make_unique<Projectile>(&world.game());
    projectile->Init(x, y, 0, type);
    Projectile& added = *projectile;
    world.game().mEntities.push_back(std::move(projectile));
    return added;
}
} // namespace

TEST(Collision, TellsWhichCellsBlock)
{
    WorldFixture world;
    world.Load(MapText({"111111", "100001", "117011", "100001", "111111"}).Add("Player", 1, 1));
    Map& map = world.map();
    Game* game = &world.game();
    EXPECT_FALSE(map.CheckTileCollision(1, 1, game));
    EXPECT_TRUE(map.CheckTileCollision(0, 0, game));
    // Outside the map everything blocks.
    EXPECT_TRUE(map.CheckTileCollision(-1, 1, game));
    EXPECT_TRUE(map.CheckTileCollision(6, 1, game));
    EXPECT_TRUE(map.CheckTileCollision(1, 5, game));
    // A wall beside a door (0x41), and a bare door-frame mark (0x40).
    ASSERT_EQ(map.GetTile(1, 2, TileType::WallsAndDoors), 0x41);
    EXPECT_TRUE(map.CheckTileCollision(1, 2, game));
    ASSERT_EQ(map.GetTile(3, 2, TileType::WallsAndDoors), 0x40);
    EXPECT_TRUE(map.CheckTileCollision(3, 2, game));
    // The door blocks until its record says otherwise.
    EXPECT_TRUE(map.CheckTileCollision(2, 2, game));
    map.GetDoor(2, 2)->blocking = false;
    EXPECT_FALSE(map.CheckTileCollision(2, 2, game));
    // A door cell without a door record blocks.
    map.SetTile(4, 1, 0x87, TileType::WallsAndDoors);
    EXPECT_TRUE(map.CheckTileCollision(4, 1, game));
}

TEST(Collision, SlidesAlongWhicheverAxisIsFree)
{
    WorldFixture world;
    world.Load(ROOM);
    Player& player = world.player();
    const auto move = [&](double x, double y, double dx, double dy)
    {
        player.mX = x;
        player.mY = y;
        player.mDeltaX = dx;
        player.mDeltaY = dy;
        world.map().CollisionDetection(&player, &player, &world.game());
        return std::make_pair(player.mX, player.mY);
    };
    // Free.
    EXPECT_EQ(move(96, 96, 10, 6), std::make_pair(106.0, 102.0));
    // The y part runs into the top wall: along x only.
    EXPECT_EQ(move(96, 96, 20, -20), std::make_pair(116.0, 96.0));
    // The x part runs into the left wall: along y only.
    EXPECT_EQ(move(96, 96, -20, 20), std::make_pair(96.0, 116.0));
    // Into the corner: nowhere, and the fraction of the position is lost.
    EXPECT_EQ(move(96.7, 96.2, -20, -20), std::make_pair(96.0, 96.0));
    EXPECT_EQ(move(96.7, 96.2, 0, 0), std::make_pair(96.0, 96.0));
    EXPECT_TRUE(player.mAlive);
}

TEST(Collision, AProjectileFitsWhereABodyDoesNot)
{
    WorldFixture world;
    world.Load(ROOM);
    Game* game = &world.game();
    Projectile& fireball = AddProjectile(world, 74, 96, EntityType::PlayerProjectile);
    Enemy enemy(game);
    enemy.Init(74, 96, 0);
    // 8 x 8 units fit 10 units from the wall; 32 x 32 do not.
    EXPECT_TRUE(world.map().CheckMove(&fireball, game));
    EXPECT_FALSE(world.map().CheckMove(&enemy, game));
    // Its footprint reaches the wall once its left edge is below x = 64.
    fireball.mX = 68;
    EXPECT_TRUE(world.map().CheckMove(&fireball, game));
    fireball.mX = 67.5;
    EXPECT_FALSE(world.map().CheckMove(&fireball, game));
}

TEST(Collision, NothingLeavesAMapWithAnOpenOuterRing)
{
    WorldFixture world;
    world.Load(MapText({"000", "000", "000"}).Add("Player", 1, 1));
    Player& player = world.player();
    // A footprint that reaches beyond any edge is blocked by the outside.
    player.mY = 96;
    for (const double x : {15.0, 10.0, -40.0, 177.0})
    {
        player.mX = x;
        EXPECT_FALSE(world.map().CheckMove(&player, &world.game())) << x;
    }
    player.mX = 16;
    EXPECT_TRUE(world.map().CheckMove(&player, &world.game()));
    player.mX = 175.9;
    EXPECT_TRUE(world.map().CheckMove(&player, &world.game()));
    EXPECT_TRUE(world.map().CheckTileCollision(-1, 1, &world.game()));
    // Walking west stops 16 units inside the edge.
    player.mX = 40;
    for (int step = 0; step < 10; ++step)
    {
        player.mDeltaX = -8;
        player.mDeltaY = 0;
        world.map().CollisionDetection(&player, &player, &world.game());
    }
    EXPECT_DOUBLE_EQ(player.mX, 16);
}

TEST(Collision, AFireballBurnsTheBooksOfABookshelf)
{
    WorldFixture world;
    world.ListenToSounds();
    world.Load(ROOM);
    Game& game = world.game();
    Map& map = world.map();
    Projectile& fireball = AddProjectile(world, 160, 120, EntityType::EnemyProjectile);
    fireball.mDeltaY = 8;
    map.CollisionDetection(&fireball, &world.player(), &game);
    EXPECT_EQ(map.GetTile(2, 2, TileType::WallsAndDoors), 5);
    EXPECT_FALSE(fireball.mAlive);
    // Sliding along x (a step of 0) keeps it where it was.
    EXPECT_EQ(fireball.mX, 160);
    EXPECT_EQ(fireball.mY, 120);
    ASSERT_EQ(world.Sounds().size(), 1u);
    EXPECT_EQ(world.Sounds()[0].name, "collision.wav");
    EXPECT_TRUE(world.Sounds()[0].directional);
    world.TakeSounds();

    // A second shot at the empty bookshelf changes nothing in the map.
    Projectile& second = AddProjectile(world, 160, 120, EntityType::PlayerProjectile);
    second.mDeltaY = 8;
    const std::vector<std::int32_t> walls = map.mWalls;
    map.CollisionDetection(&second, &world.player(), &game);
    EXPECT_EQ(map.mWalls, walls);
    EXPECT_FALSE(second.mAlive);
    EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"collision.wav"});

    // A body walking into a bookshelf burns nothing and makes no sound.
    map.SetTile(2, 2, 6, TileType::WallsAndDoors);
    Enemy enemy(&game);
    enemy.Init(160, 100, 0);
    enemy.mDeltaY = 20;
    map.CollisionDetection(&enemy, &world.player(), &game);
    EXPECT_EQ(map.GetTile(2, 2, TileType::WallsAndDoors), 6);
    EXPECT_TRUE(enemy.mAlive);
    EXPECT_EQ(enemy.mY, 100);
    EXPECT_TRUE(world.TakeSounds().empty());
}
