#pragma once

#include "soak_report.h"
#include "support/test_game.h"

#include <memory>
#include <set>
#include <string>

// Plays the real game headless with seeded random input: the menus and the
// options, new games, walking, fighting, dying, finishing maps and the end
// screen, and quitting through the credits, after which the game starts again
// with the settings it wrote. The same seed plays the same game.
class GameMonkey
{
public:
    explicit GameMonkey(std::uint64_t seed);
    ~GameMonkey();

    // Runs the frames; any fault throws std::runtime_error naming the seed and
    // the frame, which is all it takes to replay the run up to it.
    SoakReport Run(long frames);

private:
    void Start();
    void Stop();
    void Act();
    void ActInMainMenu();
    void ActInGameMenu();
    void ActInOptions();
    void ActWhilePlaying();
    void ActOnScreen();
    void Tap(SDL_Scancode key);
    void Hold(SDL_Scancode key, bool held);
    SDL_Scancode Binding(KeyAction action);
    void Count(GameState before, GameState after);
    // The game never writes a map and leaves nothing behind but its settings.
    void CheckFiles();

    std::uint64_t mSeed;
    SoakDice mDice;
    std::unique_ptr<TestGame> mTest;
    std::string mSettingsText;
    std::set<SDL_Scancode> mHeld;
    int mMinimisedFrames = 0;
    SoakReport mReport;
};

// The small maps the game monkey plays through: exits close by, doors, keys,
// items, bookshelves and enough enemies to die now and then.
TestGame::Options SoakGameOptions();
