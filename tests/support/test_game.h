#pragma once

#include "core/game.h"
#include "support/scratch_dir.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// An RGB colour read back from a surface.
struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// The real game, created headless (dummy video and audio drivers) in a
// scratch working directory, driven by pushed SDL events one frame at a time.
// Sleeping is switched off and sounds are recorded instead of heard.
class TestGame
{
public:
    struct Options
    {
        std::vector<std::string> arguments;
        // Files of data/ to leave out of the scratch copy (relative to data/).
        std::vector<std::string> missingData;
        // Extra files to write before start-up, path relative to the working dir.
        std::vector<std::pair<std::string, std::string>> files;
        bool init = true;
        // False: play in the working directory as it is, without a scratch
        // copy (a child process working in its parent's scratch directory).
        bool scratch = true;
    };

    TestGame();
    explicit TestGame(const Options& options);
    ~TestGame();

    Game& game() { return *mGame; }
    ScratchDir& dir() { return *mDir; }
    // Starts the game with the options' command line; rethrows start-up errors.
    bool Init();
    // Creates a game with these options, starts it and returns the message the
    // start-up fails with ("no error" when it starts).
    static std::string StartupFailure(Options options);
    // Ends the program as main does, by destroying the game (which writes the
    // settings file); the working directory stays for a look at what was left.
    // game() must not be used afterwards.
    void EndGame();

    // Runs whole passes of the main loop (without the pacing sleep).
    void RunFrames(int count = 1);

    void KeyDown(SDL_Scancode key, bool repeat = false, Uint16 modifiers = KMOD_NONE);
    void KeyUp(SDL_Scancode key);
    // Key down, one frame, key up, one frame.
    void TapKey(SDL_Scancode key, Uint16 modifiers = KMOD_NONE);
    void Text(const std::string& text);
    void Quit();
    void Window(SDL_WindowEventID id);
    void MouseMotion(int x, int y, Uint32 buttons = 0);
    // Motion as the mouse reports it while the game holds it in relative mode.
    void MouseMove(int xrel, int yrel);
    void MouseButton(int x, int y, Uint8 button, bool down = true);

    SDL_Surface* Frame() { return mGame->mFramework->GetSurface(); }
    static Rgb PixelAt(SDL_Surface* surface, int x, int y);
    Rgb FramePixel(int x, int y) { return PixelAt(Frame(), x, y); }

    // Names of the sounds played since the last call, in order.
    std::vector<std::string> TakeSounds();
    const std::vector<SoundEvent>& Sounds() const { return mSounds; }
    // Makes every random draw return the given values in turn (then repeat the last).
    void SetRandomSequence(std::vector<int> values);

private:
    void Push(SDL_Event& event);

    Options mOptions;
    std::unique_ptr<ScratchDir> mDir;
    std::unique_ptr<Game> mGame;
    std::vector<SoundEvent> mSounds;
    std::vector<std::string> mArgumentStorage;
};

// The names of the recorded sounds, in order; the record is emptied.
std::vector<std::string> TakeSoundNames(std::vector<SoundEvent>& sounds);

// Makes sure the dummy drivers are used even when a test runs outside ctest.
void UseHeadlessDrivers();
