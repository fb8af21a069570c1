// The game's renderer against the plain reference renderer: the same picture,
// to the last bit of every pixel, on the benchmark's reference views, from
// random places in the shipped maps and in generated hostile maps, along every
// way of drawing this processor can take (portable code and wide registers).

#include "core/game.h"
#include "core/wrapper.h"
#include "gameplay/player.h"
#include "reference/reference_views.h"
#include "reference/renderer_comparison.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// A game with the world view set up from the shipped images, and the
// reference renderer beside its own.
class TwoRenderers
{
public:
    TwoRenderers()
    {
        UseHeadlessDrivers();
        mGame = std::make_unique<Game>();
        mGame->InitWorldView((GameDataDir() / "gfx").string());
        mComparison = std::make_unique<RendererComparison>(*mGame);
    }

    Game& game() { return *mGame; }
    // The pixels that differ along each available way of drawing, in total.
    int Differences(std::uint32_t seed)
    {
        int differing = 0;
        for (const RowPath path : AvailablePaths())
        {
            mGame->mRaycaster->UsePath(path);
            // The AVX-512 way with its byte tables and without them.
            for (const bool byteTables : {true, false})
            {
                mGame->mRaycaster->UseByteTables(byteTables);
                if (byteTables != mGame->mRaycaster->ByteTables())
                {
                    continue;
                }
                const int here = mComparison->DifferingPixels(seed);
                EXPECT_EQ(here, 0) << "drawn along the " << RowPaths::Name(path) << " way"
                                   << (byteTables ? " with byte tables" : "");
                differing += here;
                differing += DifferingSeenCells();
            }
        }
        mGame->mRaycaster->UsePath(RowPaths::Best());
        mGame->mRaycaster->UseByteTables(true);
        return differing;
    }

    static std::vector<RowPath> AvailablePaths()
    {
        std::vector<RowPath> paths;
        for (const RowPath path : {RowPath::Portable, RowPath::Avx512})
        {
            if (RowPaths::Available(path))
            {
                paths.push_back(path);
            }
        }
        return paths;
    }

private:
    // The cells both renderers count as seen in the frame just drawn: asked one
    // by one (which the game's renderer answers for the cell alone), then all
    // at once. The sprites drawn depend on them.
    int DifferingSeenCells()
    {
        const Map& map = *mGame->mMap;
        Raycaster& caster = *mGame->mRaycaster;
        const ReferenceRaycaster& reference = mComparison->Reference();
        int differing = 0;
        for (int y = 0; y < map.mHeight; ++y)
        {
            for (int x = 0; x < map.mWidth; ++x)
            {
                differing += caster.IsVisible(map, x, y) != reference.IsVisible(map, x, y) ? 1 : 0;
            }
        }
        const std::vector<std::uint8_t> seen = caster.VisibleCells();
        for (std::size_t cell = 0; cell < seen.size() && cell < reference.mVisible.size(); ++cell)
        {
            differing += (seen[cell] != 0) != reference.mVisible[cell] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "cells seen differently";
        return differing;
    }

    std::unique_ptr<Game> mGame;
    std::unique_ptr<RendererComparison> mComparison;
};

std::vector<std::string> ShippedMaps()
{
    std::ifstream list(GameDataDir() / "maps" / "map.cfg");
    std::vector<std::string> maps;
    std::string line;
    while (std::getline(list, line))
    {
        std::istringstream words(line);
        std::string map;
        if (words >> map)
        {
            maps.push_back((GameDataDir() / "maps" / map).string());
        }
    }
    return maps;
}

// Starts every door of the map and runs the doors a number of steps.
void RunDoors(Game& game, int steps)
{
    for (const auto& door : game.mMap->mDoors)
    {
        game.mMap->StartDoor(&game, door->tileX, door->tileY);
    }
    for (int step = 0; step < steps; ++step)
    {
        game.StepWorld();
    }
}

void PlaceEye(Game& game, double x, double y, double angle, double height)
{
    Player& player = *game.GetPlayerRecord();
    player.mX = x;
    player.mY = y;
    player.mAngle = angle;
    player.mZ = height;
}

// A map that no editor would write: any wall, door or door frame anywhere, no
// outer ring, any floor, entities of every kind scattered over it.
std::string HostileMap(std::mt19937& random)
{
    std::uniform_int_distribution<int> side(1, 40);
    const int width = side(random);
    const int height = side(random);
    std::uniform_int_distribution<int> wall(0, 14);
    std::uniform_int_distribution<int> floor(0, 63);
    std::uniform_int_distribution<int> percent(0, 99);
    std::ostringstream text;
    text << width << "\n" << height << "\n\n";
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            // Mostly open, so that rays go far and meet many things.
            text << (x > 0 ? " " : "") << (percent(random) < 70 ? 0 : wall(random));
        }
        text << "\n";
    }
    text << "\n";
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            text << (x > 0 ? " " : "") << floor(random);
        }
        text << "\n";
    }
    text << "\n";
    const char* const kinds[] = {"Enemy",  "Orb",     "Health",    "Ammo",
                                 "Scroll", "BlueKey", "OrangeKey", "BronzeKey"};
    std::uniform_int_distribution<int> column(0, width - 1);
    std::uniform_int_distribution<int> row(0, height - 1);
    std::uniform_int_distribution<int> kind(0, 7);
    std::uniform_int_distribution<int> quarter(0, 3);
    text << "Type Player\nAngle 0\nX " << column(random) << "\nY " << row(random) << "\n\n";
    const int entities = width * height / 4;
    for (int i = 0; i < entities; ++i)
    {
        text << "Type " << kinds[kind(random)] << "\nAngle " << 90 * quarter(random) << "\nX "
             << column(random) << "\nY " << row(random) << "\n\n";
    }
    return text.str();
}
} // namespace

TEST(RendererIdentity, TheReferenceViewsLookTheSame)
{
    TwoRenderers renderers;
    const ScratchDir scratch;
    const ReferenceViews views(scratch.Path().string());
    std::vector<ReferenceView> all = views.ShippedStarts(GameDataDir().string());
    ASSERT_FALSE(all.empty());
    for (const ReferenceView& view : views.StressViews())
    {
        all.push_back(view);
    }
    all.push_back(views.MapOfSide(ReferenceViews::HALL_SIDE));
    // On a large map the rays that miss the hall's walls go on far beyond them.
    all.push_back(views.MapOfSide(16 * ReferenceViews::HALL_SIDE));
    for (const int sprites : {0, 50, 400})
    {
        all.push_back(views.Hall(sprites));
    }
    std::uint32_t seed = 1;
    for (const ReferenceView& view : all)
    {
        SCOPED_TRACE(view.name);
        ReferenceViews::Enter(renderers.game(), view);
        EXPECT_EQ(renderers.Differences(seed++), 0);
        // A turn further, and with the wall animations on.
        renderers.game().StepWorld();
        renderers.game().GetPlayerRecord()->mAngle += 7.5;
        EXPECT_EQ(renderers.Differences(seed++), 0);
    }
}

TEST(RendererIdentity, RandomPlacesInTheShippedMapsLookTheSame)
{
    TwoRenderers renderers;
    Game& game = renderers.game();
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> turn(0, FULL_TURN);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> steps(0, 60);
    std::uint32_t seed = 100;
    for (const std::string& map : ShippedMaps())
    {
        SCOPED_TRACE(map);
        ReferenceView view;
        view.mapPath = map;
        ReferenceViews::Enter(game, view);
        RunDoors(game, steps(random));
        for (int place = 0; place < 12; ++place)
        {
            const double x = unit(random) * TILE_SIZE * game.mMap->mWidth;
            const double y = unit(random) * TILE_SIZE * game.mMap->mHeight;
            // Mostly at the usual eye height, sometimes sunk to the floor or raised.
            const double height = place % 3 == 0 ? unit(random) * TILE_SIZE : 32;
            PlaceEye(game, x, y, turn(random), height);
            SCOPED_TRACE(testing::Message() << "eye at " << x << ", " << y);
            EXPECT_EQ(renderers.Differences(seed++), 0);
        }
    }
}

TEST(RendererIdentity, HostileMapsLookTheSame)
{
    TwoRenderers renderers;
    Game& game = renderers.game();
    const ScratchDir scratch;
    std::mt19937 random(777);
    std::uniform_real_distribution<double> turn(-FULL_TURN, 2 * FULL_TURN);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> steps(0, 200);
    std::uint32_t seed = 1000;
    for (int map = 0; map < 25; ++map)
    {
        const std::string path =
            (scratch.Path() / ("hostile" + std::to_string(map) + ".map")).string();
        std::ofstream(path) << HostileMap(random);
        SCOPED_TRACE(path);
        ReferenceView view;
        view.mapPath = path;
        ReferenceViews::Enter(game, view);
        RunDoors(game, steps(random));
        const double width = TILE_SIZE * game.mMap->mWidth;
        const double height = TILE_SIZE * game.mMap->mHeight;
        for (int place = 0; place < 8; ++place)
        {
            // Anywhere, on the map's edges and grid lines and beyond them too.
            double x = unit(random) * (width + 200) - 100;
            double y = unit(random) * (height + 200) - 100;
            if (place == 1)
            {
                x = TILE_SIZE * static_cast<int>(x / TILE_SIZE);
            }
            if (place == 2)
            {
                y = 0;
            }
            PlaceEye(game, x, y, turn(random), place % 2 == 0 ? 32 : unit(random) * 80 - 8);
            SCOPED_TRACE(testing::Message() << "eye at " << x << ", " << y);
            EXPECT_EQ(renderers.Differences(seed++), 0);
        }
    }
}

TEST(RendererIdentity, SpritesBeforeDoorsAndAnExitDoorAtTheEndLookTheSame)
{
    // A corridor running south: items and an enemy stand before a see-through
    // door half open and a locked one, and an exit door (which cannot be seen
    // through) closes it, so that a door is the farthest strip of its columns
    // and sprites and doors lie in front of it and of the walls.
    TwoRenderers renderers;
    Game& game = renderers.game();
    const ScratchDir scratch;
    const std::vector<std::string> walls = {"1 1 1 1 1", "1 0 0 0 1",  "1 0 0 0 1", "1 1 7 1 1",
                                            "1 0 0 0 1", "1 0 0 0 1",  "1 1 8 1 1", "1 0 0 0 1",
                                            "1 0 0 0 1", "1 1 11 1 1", "1 0 0 0 1", "1 1 1 1 1"};
    std::ostringstream text;
    text << "5\n" << walls.size() << "\n\n";
    for (const std::string& row : walls)
    {
        text << row << "\n";
    }
    text << "\n";
    for (std::size_t row = 0; row < walls.size(); ++row)
    {
        text << "6 6 6 6 6\n";
    }
    text << "\nType Player\nAngle 90\nX 2\nY 1\n\n"
         << "Type Orb\nAngle 0\nX 2\nY 2\n\n"
         << "Type Enemy\nAngle 0\nX 1\nY 4\n\n"
         << "Type Health\nAngle 0\nX 3\nY 5\n\n"
         << "Type Scroll\nAngle 0\nX 2\nY 8\n";
    const std::string path = (scratch.Path() / "exit_corridor.map").string();
    std::ofstream(path) << text.str();
    ReferenceView view;
    view.mapPath = path;
    view.fromStart = false;
    view.angle = 480;
    view.doorSteps = ReferenceViews::HALF_OPEN_STEPS;
    std::uint32_t seed = 5000;
    for (const double x : {2 * TILE_SIZE + 32.0, 2 * TILE_SIZE + 5.0, 1 * TILE_SIZE + 40.0})
    {
        for (const double y : {TILE_SIZE + 20.0, 4 * TILE_SIZE + 50.0, 7 * TILE_SIZE + 10.0})
        {
            view.x = x;
            view.y = y;
            ReferenceViews::Enter(game, view);
            SCOPED_TRACE(testing::Message() << "eye at " << x << ", " << y);
            EXPECT_EQ(renderers.Differences(seed++), 0);
        }
    }
}

TEST(RendererIdentity, FramesOfOtherSizesLookTheSame)
{
    // Widths that are no whole number of column groups, odd heights (the eye
    // then lies between two rows), a sliver, a frame wider than the view, and
    // a frame of three bytes a pixel, which only SDL's own functions can write.
    UseHeadlessDrivers();
    const ScratchDir scratch;
    const ReferenceViews views(scratch.Path().string());
    std::uint32_t seed = 7000;
    const struct
    {
        int width, height;
        Uint32 format;
    } frames[] = {{317, 240, SDL_PIXELFORMAT_ARGB8888}, {312, 199, SDL_PIXELFORMAT_ARGB8888},
                  {200, 151, SDL_PIXELFORMAT_ARGB8888}, {9, 8, SDL_PIXELFORMAT_ARGB8888},
                  {333, 120, SDL_PIXELFORMAT_ARGB8888}, {96, 72, SDL_PIXELFORMAT_RGB24}};
    for (const auto& [width, height, format] : frames)
    {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Game game;
        game.InitWorldView((GameDataDir() / "gfx").string());
        game.mFramework->mSurface.Reset(
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format));
        // The light reaches by the width of the view.
        game.mRaycaster->Init(game.mTextureFlags, width);
        RendererComparison comparison(game);
        std::vector<ReferenceView> all = views.ShippedStarts(GameDataDir().string());
        all.push_back(views.Hall(50));
        for (const ReferenceView& view : all)
        {
            SCOPED_TRACE(view.name);
            ReferenceViews::Enter(game, view);
            for (const RowPath path : TwoRenderers::AvailablePaths())
            {
                game.mRaycaster->UsePath(path);
                EXPECT_EQ(comparison.DifferingPixels(seed++), 0)
                    << "drawn along the " << RowPaths::Name(path) << " way";
            }
        }
    }
}

TEST(RendererIdentity, EveryWayOfDrawingIsChecked)
{
    // Byte tables only where the processor has them, and on unless turned off.
    TwoRenderers renderers;
    EXPECT_EQ(renderers.game().mRaycaster->ByteTables(), RowPaths::ByteTables());
    // The portable way always; the processors the game is built and tested on
    // have AVX-512 as well, and it is checked whenever they do.
    const std::vector<RowPath> paths = TwoRenderers::AvailablePaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), RowPath::Portable);
    EXPECT_EQ(RowPaths::Best(), paths.back());
}

TEST(RendererIdentity, TheTexturesItReadsAreNeverRunLengthEncoded)
{
    // The images are loaded with run-length encoding wished for, which SDL
    // applies on their first blit; the renderer reads the world's images
    // directly and never blits them, so they stay plain while the game runs
    // with its hand, flashes and HUD blitted every frame.
    TestGame test;
    Game& game = test.game();
    game.LoadMap(true);
    game.InitHitScreen();
    test.KeyDown(SDL_SCANCODE_LCTRL);
    test.RunFrames(40);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    for (const char* key : {"walls", "ceilingsAndFloors", "items", "enemy", "projectiles"})
    {
        SCOPED_TRACE(key);
        SDL_Surface* image = game.mImageManager->GetImage(key);
        ASSERT_NE(image, nullptr);
        EXPECT_FALSE(SDL_MUSTLOCK(image));
    }
    for (const auto& door : game.mMap->mDoors)
    {
        EXPECT_FALSE(SDL_MUSTLOCK(door->surface.Get<SDL_Surface>()));
    }
    // The hand, blitted every frame, is encoded: locking it would decode it.
    EXPECT_TRUE(SDL_MUSTLOCK(game.mImageManager->GetImage("hand")));
}

TEST(RendererIdentity, AFloorImageCutShortLooksTheSame)
{
    // The last row of floor textures lies half outside a floor image cut short;
    // neither renderer reads beyond the image.
    UseHeadlessDrivers();
    const ScratchDir scratch;
    std::filesystem::copy(GameDataDir() / "gfx", scratch.Path() / "gfx");
    const std::string floorsPath = (scratch.Path() / "gfx" / "cfs.png").string();
    const Wrapper whole(IMG_Load(floorsPath.c_str()));
    SDL_Surface* source = whole.Get<SDL_Surface>();
    const Wrapper cut(
        SDL_CreateRGBSurfaceWithFormat(0, source->w, source->h - 32, 32, source->format->format));
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, cut.Get<SDL_Surface>(), nullptr);
    ASSERT_EQ(IMG_SavePNG(cut.Get<SDL_Surface>(), floorsPath.c_str()), 0);
    scratch.WriteFile("cut.map", "4\n4\n\n1 1 1 1\n1 0 0 1\n1 0 0 1\n1 1 1 1\n\n"
                                 "60 61 62 63\n60 61 62 63\n60 61 62 63\n60 61 62 63\n\n"
                                 "Type Player\nAngle 0\nX 1\nY 1\n");
    Game game;
    game.InitWorldView((scratch.Path() / "gfx").string());
    RendererComparison comparison(game);
    ReferenceView view;
    view.mapPath = (scratch.Path() / "cut.map").string();
    ReferenceViews::Enter(game, view);
    std::uint32_t seed = 9000;
    for (const double angle : {0.0, 300.0, 700.0})
    {
        PlaceEye(game, 80, 90, angle, 32);
        for (const RowPath path : TwoRenderers::AvailablePaths())
        {
            game.mRaycaster->UsePath(path);
            EXPECT_EQ(comparison.DifferingPixels(seed++), 0) << RowPaths::Name(path);
        }
    }
}
