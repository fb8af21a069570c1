#include "support/test_game.h"

#include "core/utils.h"

#include <algorithm>
#include <exception>

#include <cstdlib>
#include <cstring>

void UseHeadlessDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TestGame::TestGame() : TestGame(Options{}) {}

TestGame::TestGame(const Options& options) : mOptions(options)
{
    UseHeadlessDrivers();
    if (mOptions.scratch)
    {
        mDir = std::make_unique<ScratchDir>();
        mDir->LinkGameData(mOptions.missingData);
        for (const auto& [path, text] : mOptions.files)
        {
            mDir->WriteFile(path, text);
        }
    }
    mGame = std::make_unique<Game>();
    mGame->mSleep = [](Uint32) {};
    if (mOptions.init)
    {
        Init();
    }
}

TestGame::~TestGame()
{
    mGame.reset();
    mDir.reset();
}

std::string TestGame::StartupFailure(Options options)
{
    options.init = false;
    TestGame test(options);
    try
    {
        test.Init();
    }
    catch (const std::exception& error)
    {
        return error.what();
    }
    return "no error";
}

bool TestGame::Init()
{
    mArgumentStorage = {"quill3d"};
    mArgumentStorage.insert(mArgumentStorage.end(), mOptions.arguments.begin(),
                            mOptions.arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : mArgumentStorage)
    {
        argv.push_back(argument.data());
    }
    const bool started = mGame->Init(static_cast<int>(argv.size()), argv.data());
    if (mGame->mAudioManager)
    {
        mGame->mAudioManager->SetObserver([this](const SoundEvent& event)
                                          { mSounds.push_back(event); });
    }
    return started;
}

void TestGame::EndGame()
{
    mGame.reset();
}

void TestGame::RunFrames(int count)
{
    for (int i = 0; i < count; ++i)
    {
        mGame->RunFrame();
        // A frame of the main loop lasts 33 ms when nothing is slow.
        mGame->mFrameTime = 33;
    }
}

void TestGame::Push(SDL_Event& event)
{
    event.common.timestamp = SDL_GetTicks();
    SDL_PushEvent(&event);
}

void TestGame::KeyDown(SDL_Scancode key, bool repeat, Uint16 modifiers)
{
    SDL_Event event{};
    event.key = {SDL_KEYDOWN,
                 0,
                 0,
                 SDL_PRESSED,
                 static_cast<Uint8>(repeat ? 1 : 0),
                 0,
                 0,
                 {key, SDL_GetKeyFromScancode(key), modifiers, 0}};
    Push(event);
}

void TestGame::KeyUp(SDL_Scancode key)
{
    SDL_Event event{};
    event.key = {SDL_KEYUP, 0, 0, SDL_RELEASED, 0, 0, 0, {key, SDL_GetKeyFromScancode(key), 0, 0}};
    Push(event);
}

void TestGame::TapKey(SDL_Scancode key, Uint16 modifiers)
{
    KeyDown(key, false, modifiers);
    RunFrames(1);
    KeyUp(key);
    RunFrames(1);
}

void TestGame::Text(const std::string& text)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text.c_str(), sizeof(event.text.text) - 1);
    Push(event);
}

void TestGame::Quit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
}

void TestGame::Window(SDL_WindowEventID id)
{
    SDL_Event event{};
    event.window = {SDL_WINDOWEVENT, 0, 0, static_cast<Uint8>(id), 0, 0, 0, 0, 0};
    Push(event);
}

void TestGame::MouseMotion(int x, int y, Uint32 buttons)
{
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, buttons, x, y, 0, 0};
    Push(event);
}

void TestGame::MouseMove(int xrel, int yrel)
{
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, 0, 0, 0, xrel, yrel};
    Push(event);
}

void TestGame::MouseButton(int x, int y, Uint8 button, bool down)
{
    SDL_Event event{};
    event.button = {static_cast<Uint32>(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP),
                    0,
                    0,
                    0,
                    button,
                    static_cast<Uint8>(down ? SDL_PRESSED : SDL_RELEASED),
                    0,
                    0,
                    x,
                    y};
    Push(event);
}

Rgb TestGame::PixelAt(SDL_Surface* surface, int x, int y)
{
    const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
    const Uint32 pixel = QuillUtils::GetPixel(surface, x, y);
    if (locked)
    {
        SDL_UnlockSurface(surface);
    }
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return {r, g, b};
}

std::vector<std::string> TestGame::TakeSounds()
{
    return TakeSoundNames(mSounds);
}

std::vector<std::string> TakeSoundNames(std::vector<SoundEvent>& sounds)
{
    std::vector<std::string> names;
    for (const SoundEvent& event : sounds)
    {
        names.push_back(event.name);
    }
    sounds.clear();
    return names;
}

void TestGame::SetRandomSequence(std::vector<int> values)
{
    auto state = std::make_shared<std::pair<std::vector<int>, std::size_t>>(std::move(values), 0);
    mGame->mRandomSource = [state](int min, int max)
    {
        auto& [sequence, next] = *state;
        const int value = sequence.empty() ? min : sequence[std::min(next, sequence.size() - 1)];
        ++next;
        return value < min ? min : (value > max ? max : value);
    };
}
