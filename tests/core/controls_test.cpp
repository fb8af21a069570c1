#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// An empty room with the player in the middle of cell (3, 3), facing east.
TestGame::Options RoomOptions()
{
    return OptionsWithMaps({{"room.map",
                             BuildMapText({"########", "#......#", "#......#", "#..@...#",
                                           "#......#", "#......#", "#......#", "########"}),
                             ""}});
}
} // namespace

TEST(Controls, TheMousePlaysWhilePlayHoldsIt)
{
    TestGame test(RoomOptions());
    Game& game = test.game();
    game.LoadMap(true);
    const Player& player = *game.GetPlayerRecord();
    // Each step: 'm'otion (x, y), a 'b'utton (y, down when x is 1), 'e'scape, a
    // 'w'indow event (x) or the 't'urning settings (on, sensitivity); then the
    // angle, whether play holds the mouse, the ammunition and whether Use is held.
    const struct
    {
        char kind;
        int x, y;
        double angle;
        bool captured;
        int ammo;
        bool using_;
    } steps[] = {
        {'m', 100, 0, 30, true, 8, false},    // 30 hundredths of a unit a count
        {'m', 3, 0, 30, true, 8, false},      // 0.9 units wait
        {'m', 1, 0, 31, true, 8, false},      // 1.2 units turn one, the rest waits
        {'m', -200, 0, 1892, true, 8, false}, // -60 units with the 0.2 kept, past 0
        {'m', 0, 500, 1892, true, 8, false},  // up and down do nothing
        {'e', 0, 0, 1892, false, 8, false},   // the in-game menu lets the mouse go
        {'m', 300, 0, 1892, false, 8, false},
        {'b', 1, SDL_BUTTON_LEFT, 1892, false, 8, false}, // and its clicks
        {'b', 0, SDL_BUTTON_LEFT, 1892, false, 8, false},
        {'e', 0, 0, 1892, true, 8, false}, // play takes it again
        {'w', SDL_WINDOWEVENT_FOCUS_LOST, 0, 1892, false, 8, false},
        {'m', 300, 0, 1892, false, 8, false},
        {'w', SDL_WINDOWEVENT_FOCUS_GAINED, 0, 1892, true, 8, false},
        {'t', false, 30, 1892, true, 8, false},
        {'m', 50, 0, 1892, true, 8, false},
        {'t', true, 100, 1892, true, 8, false},
        {'m', 1920 + 8, 0, 1900, true, 8, false}, // the fastest: a unit a count
        // The left button fires as Fire does, once a press; the right one uses.
        {'b', 1, SDL_BUTTON_LEFT, 1900, true, 7, false},
        {'m', 0, 0, 1900, true, 7, false},
        {'b', 0, SDL_BUTTON_LEFT, 1900, true, 7, false},
        {'b', 1, SDL_BUTTON_LEFT, 1900, true, 6, false},
        {'b', 1, SDL_BUTTON_RIGHT, 1900, true, 6, true},
        {'b', 0, SDL_BUTTON_RIGHT, 1900, true, 6, false},
        {'b', 1, SDL_BUTTON_MIDDLE, 1900, true, 6, false},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(&step - steps);
        step.kind == 'm'   ? test.MouseMove(step.x, step.y)
        : step.kind == 'b' ? test.MouseButton(0, 0, static_cast<Uint8>(step.y), step.x == 1)
        : step.kind == 'e' ? test.KeyDown(SDL_SCANCODE_ESCAPE)
        : step.kind == 'w' ? test.Window(static_cast<SDL_WindowEventID>(step.x))
                           : void(game.mSettings.mMouseSensitivity = step.y);
        game.mSettings.mMouseTurning = step.kind == 't' ? step.x : game.mSettings.mMouseTurning;
        test.RunFrames(step.kind == 'b' ? 3 : 1);
        EXPECT_EQ(player.mAngle, step.angle);
        EXPECT_EQ(game.mMouseCaptured, step.captured);
        EXPECT_EQ(player.mAmmo, step.ammo);
        EXPECT_EQ(game.mSettings.Binding(KeyAction::Use).mPressed, step.using_);
        EXPECT_EQ(std::make_pair(player.mX, player.mY), std::make_pair(224.0, 224.0));
    }

    // A minimised window lets go too, and the loop draws nothing but waits for
    // the next event, which restores it.
    test.Window(SDL_WINDOWEVENT_MINIMIZED);
    int waits = 0;
    game.mWaitForEvent = [&]
    {
        ++waits;
        test.Window(SDL_WINDOWEVENT_RESTORED);
    };
    EXPECT_FALSE(game.RunFrame());
    EXPECT_FALSE(game.mWindowActive);
    EXPECT_FALSE(game.mMouseCaptured);
    EXPECT_TRUE(game.RunFrame());
    EXPECT_TRUE(game.mWindowActive);
    EXPECT_TRUE(game.mMouseCaptured);
    EXPECT_EQ(waits, 1);
}

namespace
{
// A pad from SDL's virtual joystick driver that SDL knows no mapping for: it
// plays only through the line the test gives it in data/gamecontrollerdb.txt.
class VirtualPad
{
public:
    // The room with that line, "Test Pad" with SDL's buttons and axes in SDL's
    // own order, for this platform (SDL reads the lines of its platform only).
    static TestGame::Options RoomWithPad()
    {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        const int index = Attach();
        char guid[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
        SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        // Without the name's checksum, as mapping databases write them.
        const std::string mapping =
            std::string(guid).replace(4, 4, "0000") +
            ",Test Pad,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,dpup:b11,dpdown:b12,"
            "dpleft:b13,dpright:b14,leftx:a0,lefty:a1,rightx:a2,righty:a3,lefttrigger:+a4,"
            "righttrigger:+a5,platform:" +
            SDL_GetPlatform() + ",\n";
        // The dummy video driver's window never has the keyboard focus,
        // without which SDL holds back the events of pads.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        TestGame::Options options = RoomOptions();
        options.files.push_back({"data/gamecontrollerdb.txt", mapping});
        return options;
    }

    void PlugIn(TestGame& test)
    {
        mIndex = Attach();
        test.RunFrames(1);
        mJoystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(mIndex));
    }
    void PullOut() { SDL_JoystickDetachVirtual(mIndex); }
    void Button(int button, bool down) { SDL_JoystickSetVirtualButton(mJoystick, button, down); }
    void Axis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(mJoystick, axis, value); }
    void Tap(TestGame& test, int button)
    {
        Button(button, true);
        test.RunFrames(1);
        Button(button, false);
        test.RunFrames(1);
    }

private:
    static int Attach()
    {
        return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, SDL_CONTROLLER_AXIS_MAX,
                                         SDL_CONTROLLER_BUTTON_MAX, 0);
    }

    int mIndex = -1;
    SDL_Joystick* mJoystick = nullptr;
};
} // namespace

TEST(Controls, APadPlaysAndWorksTheMenus)
{
    TestGame test(VirtualPad::RoomWithPad());
    Game& game = test.game();
    VirtualPad pad;
    pad.PlugIn(test);
    ASSERT_EQ(game.mGamepad->Name(), "Test Pad");
    MenuStruct* menu = game.mCurrentMenu;

    // The D-pad and the left stick move, one step a push; B does nothing where
    // Escape does nothing.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu->selected, 1);
    for (auto [position, selected] :
         {std::pair<Sint16, int>{30000, 2}, {30000, 2}, {30000, 2}, {0, 2}, {-30000, 1}, {0, 1}})
    {
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, position);
        test.RunFrames(1);
        EXPECT_EQ(menu->selected, selected);
    }
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);

    // In the options A starts a key capture, which only the keyboard ends or B cancels.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(game.mCurrentMenu->waitingForKey);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_X);
    EXPECT_TRUE(game.mCurrentMenu->waitingForKey);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    test.TakeSounds();
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(game.mCurrentMenu->waitingForKey);
    EXPECT_EQ(game.mSettings.Binding(KeyAction::TurnLeft).mScancode, SDL_SCANCODE_LEFT);
    EXPECT_EQ(test.TakeSounds(), std::vector<std::string>{"back.wav"});

    game.LoadMap(true);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    Player& player = *game.GetPlayerRecord();
    player.mScrolls = 1;
    player.mWeapons |= WEAPON_SCROLL_BIT;

    // Facing east, one frame each: the left stick walks (forward -y on the pad)
    // and strafes, the right one turns; a quarter of the travel is dead. The
    // right trigger fires once a pull; Y and X choose.
    const struct
    {
        int axis;
        Sint16 value;
        double dx, dy, turn;
        int ammo;
        int weapon;
    } pushes[] = {
        {SDL_CONTROLLER_AXIS_LEFTY, -32767, 8, 0, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, -8, 0, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_LEFTY, -20480, 4, 0, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_LEFTY, -8000, 0, 0, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, 0, 8, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, 0, 0, 30, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_RIGHTX, -20480, 0, 0, -15, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_RIGHTX, 8000, 0, 0, 0, 8, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, 0, 0, 0, 7, WEAPON_FIREBALL},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, 0, 0, 0, 6, WEAPON_FIREBALL},
        {-SDL_CONTROLLER_BUTTON_Y, 1, 0, 0, 0, 6, WEAPON_SCROLL},
        {-SDL_CONTROLLER_BUTTON_X, 1, 0, 0, 0, 6, WEAPON_FIREBALL},
    };
    for (const auto& push : pushes)
    {
        SCOPED_TRACE(&push - pushes);
        const double x = player.mX;
        const double y = player.mY;
        const double angle = player.mAngle;
        // A pull of the right trigger held for five frames fires once.
        push.axis < 0 ? pad.Button(-push.axis, true) : pad.Axis(push.axis, push.value);
        test.RunFrames(push.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT ? 5 : 1);
        EXPECT_NEAR(player.mX - x, push.dx, 0.01);
        EXPECT_NEAR(player.mY - y, push.dy, 0.01);
        EXPECT_EQ(player.mAngle, std::fmod(angle + push.turn + 1920, 1920));
        EXPECT_EQ(player.mAmmo, push.ammo);
        EXPECT_EQ(player.mCurrentWeapon, push.weapon);
        push.axis < 0 ? pad.Button(-push.axis, false) : pad.Axis(push.axis, 0);
        test.RunFrames(1);
        player.mAngle = 0;
    }
    // The left trigger runs; A uses.
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    double x = player.mX;
    test.RunFrames(1);
    EXPECT_DOUBLE_EQ(player.mX - x, 16);
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::Use).mPressed);
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);

    // B has no part in play; Start opens the in-game menu and B goes back;
    // pulled out, the game waits in its menu, and a pad plugged in again plays.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(game.GetGameState(), GameState::InGameMenu);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    pad.PullOut();
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::InGameMenu);
    EXPECT_FALSE(game.mGamepad->IsConnected());
    pad.PlugIn(test);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game.GetGameState(), GameState::Game);
    x = player.mX;
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    test.RunFrames(1);
    EXPECT_DOUBLE_EQ(player.mX - x, 8);

    // The end screen goes on at any button once it takes input.
    game.SwitchGameState(GameState::TheEnd);
    test.RunFrames(16);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);

    // Pulling out the pad in use hands the game to another one plugged in.
    VirtualPad second;
    second.PlugIn(test);
    pad.PullOut();
    test.RunFrames(1);
    EXPECT_TRUE(game.mGamepad->IsConnected());
}
