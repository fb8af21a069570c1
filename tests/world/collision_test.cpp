#include "gameplay/enemy.h"
#include "gameplay/projectile.h"
#include "support/world_fixture.h"

#include <gtest/gtest.h>

TEST(Collision, TellsWhichCellsBlock)
{
    WorldFixture world;
    world.Load(MapText({"111111", "100001", "117011", "100001", "111111"}).Add("Player", 1, 1));
    Map& map = world.map();
    // A door cell without a door record.
    map.SetTile(4, 1, 0x87, TileType::WallsAndDoors);
    // Floor, a wall, outside the map on three sides, a wall beside the door
    // (0x41), a bare door-frame mark (0x40), the door, the door cell without a door.
    const int cells[][3] = {{1, 1, false}, {0, 0, true}, {-1, 1, true}, {6, 1, true}, {1, 5, true},
                            {1, 2, true},  {3, 2, true}, {2, 2, true},  {4, 1, true}};
    for (const auto& [x, y, blocks] : cells)
    {
        EXPECT_EQ(map.CheckTileCollision(x, y, &world.game()), blocks != 0) << x << ", " << y;
    }
}

TEST(Collision, FootprintsBlockAtWallsAndAtTheEdgeOfAnOpenMap)
{
    WorldFixture world;
    // No outer ring: beyond the edge everything blocks, so nothing leaves the map.
    world.Load(MapText({"000", "000", "000"}).Add("Player", 1, 1));
    Game* game = &world.game();
    Projectile fireball(game);
    fireball.Init(0, 96, 0, EntityType::PlayerProjectile);
    Enemy enemy(game);
    enemy.Init(0, 96, 0);
    // A fireball is 8 units wide, a body 32.
    const std::tuple<Entity*, double, bool> places[] = {
        {&fireball, 4, true},         {&fireball, 3.5, false}, {&fireball, 188, false},
        {&enemy, 16, true},           {&enemy, 15, false},     {&world.player(), 175.9, true},
        {&world.player(), 177, false}};
    for (const auto& [entity, x, fits] : places)
    {
        entity->mX = x;
        EXPECT_EQ(world.map().CheckMove(entity, game), fits) << x;
    }
}

TEST(Collision, SlidesAlongWhicheverAxisIsFree)
{
    WorldFixture world;
    world.Load(MapText({"11111", "10001", "10001", "11111"}).Add("Player", 1, 1));
    Player& player = world.player();
    // Free; into the top wall: along x only; into the left wall: along y only;
    // into the corner: nowhere, and the fraction of the position is lost.
    const double moves[][6] = {{96, 96, 10, 6, 106, 102},
                               {96, 96, 20, -20, 116, 96},
                               {96, 96, -20, 20, 96, 116},
                               {96.7, 96.2, -20, -20, 96, 96},
                               {96.7, 96.2, 0, 0, 96, 96}};
    for (const auto& [x, y, dx, dy, endX, endY] : moves)
    {
        player.mX = x;
        player.mY = y;
        player.mDeltaX = dx;
        player.mDeltaY = dy;
        world.map().CollisionDetection(&player, &player, &world.game());
        EXPECT_EQ(std::pair(player.mX, player.mY), std::pair(endX, endY));
    }
    EXPECT_TRUE(player.mAlive);
}

TEST(Collision, OnlyAFireballBurnsTheBooksOfABookshelf)
{
    WorldFixture world;
    world.ListenToSounds();
    world.Load(MapText({"11111", "10001", "10601", "10001", "11111"}).Add("Player", 1, 1));
    Game& game = world.game();
    Map& map = world.map();
    // Two shots down at it: the first burns the books, the second finds none.
    for (const EntityType type : {EntityType::EnemyProjectile, EntityType::PlayerProjectile})
    {
        Projectile fireball(&game);
        fireball.Init(160, 120, 0, type);
        fireball.mDeltaY = 8;
        map.CollisionDetection(&fireball, &world.player(), &game);
        EXPECT_EQ(map.GetTile(2, 2, TileType::WallsAndDoors), 5);
        EXPECT_FALSE(fireball.mAlive);
        // Sliding along x (a step of 0) keeps it where it was.
        EXPECT_EQ(std::pair(fireball.mX, fireball.mY), std::pair(160.0, 120.0));
        ASSERT_EQ(world.Sounds().size(), 1u);
        EXPECT_TRUE(world.Sounds()[0].directional);
        EXPECT_EQ(world.TakeSounds(), std::vector<std::string>{"collision.wav"});
    }
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
