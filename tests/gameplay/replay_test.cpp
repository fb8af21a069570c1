// A recorded run through two maps, in the manner of a demo replayed to find
// regressions: key events frame by frame with the random numbers fixed, and
// the state checked where the run reaches its landmarks. Any change in the
// speeds, turns, pick-ups, doors, fights or the way from map to map shows as a
// different state.

#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{
// The start room, a standard door north into a room with an orb and the blue
// key, the blue door east into a corridor with an enemy, health and the exit.
const std::vector<std::string> FIRST_MAP = {
    "##########", //
    "#1$.b.h.EX", //
    "#...######", //
    "##D#######", //
    "#.a.######", //
    "#.@.######", //
    "##########",
};
const std::vector<std::string> SECOND_MAP = {"######", "#@.$.X", "######"};

// Where the player is and what it has: x, y, facing, health, charges, keys,
// total score, map score; then the map and the state of the game.
std::vector<double> State(Game& game)
{
    const Player& p = *game.GetPlayerRecord();
    return {p.mX,
            p.mY,
            p.mAngle,
            1.0 * p.mHealth,
            1.0 * p.mAmmo,
            1.0 * p.mKeys,
            1.0 * p.mTotalScore,
            1.0 * p.mMapScore,
            1.0 * game.mCurrentMap,
            1.0 * static_cast<int>(game.GetGameState())};
}
} // namespace

TEST(Replay, ARunThroughTwoMapsToTheEnd)
{
    TestGame test(OptionsWithMaps({{"first.map", BuildMapText(FIRST_MAP, 90), "map1.ogg"},
                                   {"second.map", BuildMapText(SECOND_MAP, 0), "map2.ogg"}}));
    Game& game = test.game();
    // Holds the keys down for a number of frames, then lets them go.
    const auto hold = [&test](std::initializer_list<SDL_Scancode> keys, int frames)
    {
        for (const SDL_Scancode key : keys)
        {
            test.KeyDown(key);
        }
        test.RunFrames(frames);
        for (const SDL_Scancode key : keys)
        {
            test.KeyUp(key);
        }
    };
    constexpr double GAME = static_cast<int>(GameState::Game);
    // The enemy never fires unless told to, and every hit takes 12 health.
    test.SetRandomSequence({12});
    hold({SDL_SCANCODE_RETURN}, 1);
    EXPECT_EQ(game.mCurrentMusic, "map1.ogg");
    // North over the charges to the door, through it once open and over the orb;
    // a running sidestep to the east; a turn to the east and on to the blue
    // door, which will not open without its key.
    hold({SDL_SCANCODE_UP}, 12);
    hold({SDL_SCANCODE_SPACE}, 1);
    test.RunFrames(30);
    hold({SDL_SCANCODE_UP}, 22);
    hold({SDL_SCANCODE_LALT, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RIGHT}, 4);
    EXPECT_EQ(State(game), (std::vector<double>{224, 96, 1440, 100, 16, 0, 50, 50, 0, GAME}));
    hold({SDL_SCANCODE_RIGHT}, 16);
    hold({SDL_SCANCODE_UP}, 12);
    hold({SDL_SCANCODE_SPACE}, 3);
    EXPECT_EQ(State(game), (std::vector<double>{232, 96, 0, 100, 16, 0, 50, 50, 0, GAME}));
    // Turning round and running west for the key, and back to open the door.
    hold({SDL_SCANCODE_LEFT}, 32);
    hold({SDL_SCANCODE_UP, SDL_SCANCODE_LSHIFT}, 8);
    EXPECT_EQ(State(game),
              (std::vector<double>{104, 96, 960, 100, 16, KEY_BLUE_BIT, 50, 50, 0, GAME}));
    hold({SDL_SCANCODE_RIGHT}, 32);
    hold({SDL_SCANCODE_UP, SDL_SCANCODE_LSHIFT}, 10);
    hold({SDL_SCANCODE_SPACE}, 1);
    test.RunFrames(30);
    // The enemy waiting behind it fires once and hits; two fireballs kill it.
    test.SetRandomSequence({0, 12});
    test.RunFrames(20);
    hold({SDL_SCANCODE_LCTRL}, 1);
    test.RunFrames(10);
    hold({SDL_SCANCODE_LCTRL}, 1);
    test.RunFrames(10);
    EXPECT_EQ(State(game), (std::vector<double>{232, 96, 0, 88, 14, 0, 150, 150, 0, GAME}));
    // Along the corridor over the health to the exit, the walk key held on.
    test.KeyDown(SDL_SCANCODE_UP);
    test.RunFrames(39);
    EXPECT_EQ(State(game), (std::vector<double>{544, 96, 0, 98, 14, 0, 150, 150, 0,
                                                static_cast<int>(GameState::NextMap)}));
    EXPECT_EQ(test.TakeSounds(),
              (std::vector<std::string>{"pick_up.wav", "open_door.wav", "pick_up.wav", "nope.wav",
                                        "pick_up.wav", "open_door.wav", "fire.wav",
                                        "player_hit.wav", "fire.wav", "close_door.wav",
                                        "enemy_hit.wav", "fire.wav", "pick_up.wav"}));
    EXPECT_EQ(game.mCurrentMusic, "map_completed.ogg");
    // The map-completed screen takes no key for its first sixteen frames.
    for (int frame = 0; frame < 16; ++frame)
    {
        hold({SDL_SCANCODE_SPACE}, 1);
    }
    EXPECT_EQ(game.GetGameState(), GameState::NextMap);
    // Then any key goes on, Escape too.
    hold({SDL_SCANCODE_ESCAPE}, 2);
    // The next map: the keys stay behind, the rest travels on. The walk key,
    // still held, was let go of when the map ended: the player stands.
    EXPECT_EQ(State(game), (std::vector<double>{96, 96, 0, 98, 14, 0, 150, 0, 1, GAME}));
    test.KeyUp(SDL_SCANCODE_UP);
    EXPECT_EQ(game.mCurrentMusic, "map2.ogg");
    hold({SDL_SCANCODE_UP}, 40);
    EXPECT_EQ(State(game), (std::vector<double>{288, 96, 0, 98, 14, 0, 200, 50, 1,
                                                static_cast<int>(GameState::TheEnd)}));
    EXPECT_EQ(game.mCurrentMusic, "the_end.ogg");
    // Each map's best: the first's orb and enemy, the second's orb.
    EXPECT_EQ(game.mHighScoreTotal, 200);
    test.RunFrames(16);
    hold({SDL_SCANCODE_SPACE}, 1);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(game.mCurrentMusic, "title.ogg");
}
