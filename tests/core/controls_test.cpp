#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

#include <functional>

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

TEST(Controls, TheMouseTurnsWhilePlayHoldsIt)
{
    TestGame test(RoomOptions());
    Game& game = test.game();
    game.LoadMap(true);
    const Player& player = *game.GetPlayerRecord();
    const auto window = [&](SDL_WindowEventID id) { return [&test, id] { test.Window(id); }; };
    const auto move = [&](int xrel, int yrel)
    { return [&test, xrel, yrel] { test.MouseMove(xrel, yrel); }; };
    const struct
    {
        const char* what;
        std::function<void()> act;
        double angle;
        bool captured;
    } steps[] = {
        {"30 hundredths of a unit a count", move(100, 0), 30, true},
        {"0.9 units wait", move(3, 0), 30, true},
        {"1.2 units turn one, the rest waits", move(1, 0), 31, true},
        {"-60 units with the 0.2 kept, past 0", move(-200, 0), 1892, true},
        {"up and down do nothing", move(0, 500), 1892, true},
        {"the in-game menu lets the mouse go", [&] { test.KeyDown(SDL_SCANCODE_ESCAPE); }, 1892,
         false},
        {"motion there turns nothing", move(300, 0), 1892, false},
        {"play takes it again", [&] { test.KeyDown(SDL_SCANCODE_ESCAPE); }, 1892, true},
        {"another window's focus lets it go", window(SDL_WINDOWEVENT_FOCUS_LOST), 1892, false},
        {"motion then turns nothing", move(300, 0), 1892, false},
        {"the focus back takes it", window(SDL_WINDOWEVENT_FOCUS_GAINED), 1892, true},
        {"turning switched off",
         [&]
         {
             game.mSettings.mMouseTurning = false;
             test.MouseMove(50, 0);
         },
         1892, true},
        {"the fastest turns a unit a count",
         [&]
         {
             game.mSettings.mMouseTurning = true;
             game.mSettings.mMouseSensitivity = 100;
             test.MouseMove(1920 + 8, 0);
         },
         1900, true},
    };
    for (const auto& step : steps)
    {
        step.act();
        test.RunFrames(1);
        EXPECT_EQ(player.mAngle, step.angle) << step.what;
        EXPECT_EQ(game.mMouseCaptured, step.captured) << step.what;
        EXPECT_EQ(player.mX, 224) << step.what;
        EXPECT_EQ(player.mY, 224) << step.what;
    }

    // A minimised window lets go too (its frames wait, so the events alone).
    test.Window(SDL_WINDOWEVENT_MINIMIZED);
    game.HandleEvents();
    EXPECT_FALSE(game.mMouseCaptured);
    test.Window(SDL_WINDOWEVENT_RESTORED);
    game.HandleEvents();
    EXPECT_TRUE(game.mMouseCaptured);
}

TEST(Controls, MouseButtonsFireAndUseAsTheirKeysDo)
{
    TestGame test(RoomOptions());
    Game& game = test.game();
    game.LoadMap(true);
    const Player& player = *game.GetPlayerRecord();
    const KeyBinding& use = game.mSettings.Binding(KeyAction::Use);
    const struct
    {
        Uint8 button;
        bool down;
        int frames;
        int ammo;
        bool using_;
    } steps[] = {
        {SDL_BUTTON_LEFT, true, 1, 7, false},   {SDL_BUTTON_LEFT, true, 5, 7, false},
        {SDL_BUTTON_LEFT, false, 1, 7, false},  {SDL_BUTTON_LEFT, true, 1, 6, false},
        {SDL_BUTTON_RIGHT, true, 3, 6, true},   {SDL_BUTTON_RIGHT, false, 1, 6, false},
        {SDL_BUTTON_MIDDLE, true, 1, 6, false},
    };
    for (const auto& step : steps)
    {
        test.MouseButton(0, 0, step.button, step.down);
        test.RunFrames(step.frames);
        EXPECT_EQ(player.mAmmo, step.ammo);
        EXPECT_EQ(use.mPressed, step.using_);
    }
    // A click in a menu does not reach the game.
    test.TapKey(SDL_SCANCODE_ESCAPE);
    test.MouseButton(0, 0, SDL_BUTTON_LEFT, false);
    test.MouseButton(0, 0, SDL_BUTTON_LEFT);
    test.RunFrames(1);
    test.TapKey(SDL_SCANCODE_ESCAPE);
    test.RunFrames(1);
    EXPECT_EQ(player.mAmmo, 6);
}

namespace
{
// A pad from SDL's virtual joystick driver that SDL knows no mapping for: it
// plays only through the line the test gives it in data/gamecontrollerdb.txt.
class VirtualPad
{
public:
    // That line, "Test Pad" with SDL's buttons and axes in SDL's own order, for
    // this platform (SDL reads the lines of its platform only).
    static std::string Mapping()
    {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        const int index = Attach();
        char guid[33] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
        SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        // Without the name's checksum, as mapping databases write them.
        return std::string(guid).replace(4, 4, "0000") +
               ",Test Pad,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,dpup:b11,dpdown:b12,"
               "dpleft:b13,dpright:b14,leftx:a0,lefty:a1,rightx:a2,righty:a3,lefttrigger:+a4,"
               "righttrigger:+a5,platform:" +
               SDL_GetPlatform() + ",\n";
    }
    // The dummy video driver's window never has the keyboard focus, without
    // which SDL holds back the events of pads.
    static TestGame::Options WithPadEvents(TestGame::Options options)
    {
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        options.files.push_back({"data/gamecontrollerdb.txt", Mapping()});
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

TEST(Controls, APadPlays)
{
    TestGame test(VirtualPad::WithPadEvents(RoomOptions()));
    Game& game = test.game();
    VirtualPad pad;
    pad.PlugIn(test);
    ASSERT_EQ(game.mGamepad->Name(), "Test Pad");
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(game.GetGameState(), GameState::Game);
    Player& player = *game.GetPlayerRecord();
    player.mScrolls = 1;
    player.mWeapons |= WEAPON_SCROLL_BIT;

    // The sticks: facing east, the left one walks (forward -y on the pad) and
    // strafes, the right one turns; a quarter of the travel is dead.
    const struct
    {
        int axis;
        Sint16 value;
        double dx, dy, turn;
    } pushes[] = {
        {SDL_CONTROLLER_AXIS_LEFTY, -32767, 8, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, -8, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTY, -20480, 4, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTY, -8000, 0, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, 0, 8, 0},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, 0, 0, 30},
        {SDL_CONTROLLER_AXIS_RIGHTX, -20480, 0, 0, -15},
        {SDL_CONTROLLER_AXIS_RIGHTX, 8000, 0, 0, 0},
    };
    for (const auto& push : pushes)
    {
        const double x = player.mX;
        const double y = player.mY;
        const double angle = player.mAngle;
        pad.Axis(push.axis, push.value);
        test.RunFrames(1);
        pad.Axis(push.axis, 0);
        EXPECT_NEAR(player.mX - x, push.dx, 0.01) << push.axis << " " << push.value;
        EXPECT_NEAR(player.mY - y, push.dy, 0.01) << push.axis << " " << push.value;
        EXPECT_EQ(player.mAngle, std::fmod(angle + push.turn + 1920, 1920));
        test.RunFrames(1);
        player.mAngle = 0;
    }

    // The left trigger runs; the right one fires once a pull; X and Y choose.
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    double x = player.mX;
    test.RunFrames(1);
    EXPECT_DOUBLE_EQ(player.mX - x, 16);
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    test.RunFrames(5);
    EXPECT_EQ(player.mAmmo, 7);
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    test.RunFrames(1);
    pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    test.RunFrames(1);
    EXPECT_EQ(player.mAmmo, 6);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_Y);
    EXPECT_EQ(player.mCurrentWeapon, WEAPON_SCROLL);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(player.mCurrentWeapon, WEAPON_FIREBALL);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    test.RunFrames(1);
    EXPECT_TRUE(game.mSettings.Binding(KeyAction::Use).mPressed);
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);

    // Start opens the in-game menu and B goes back; pulled out, the game waits
    // in its menu, and a pad plugged in again plays.
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
}

TEST(Controls, APadWorksTheMenusAndScreens)
{
    TestGame test(VirtualPad::WithPadEvents(RoomOptions()));
    Game& game = test.game();
    VirtualPad pad;
    pad.PlugIn(test);
    MenuStruct* menu = game.mCurrentMenu;

    // The D-pad and the left stick move, one step a push; B does nothing where
    // Escape does nothing.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(menu->selected, 1);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    test.RunFrames(3);
    EXPECT_EQ(menu->selected, 2);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    test.RunFrames(1);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    test.RunFrames(1);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
    EXPECT_EQ(menu->selected, 1);

    // In the options A starts a key capture, which only the keyboard ends or B cancels.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(game.GetGameState(), GameState::Options);
    test.TakeSounds();
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(game.mCurrentMenu->waitingForKey);
    for (int button :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_X})
    {
        pad.Tap(test, button);
    }
    EXPECT_TRUE(game.mCurrentMenu->waitingForKey);
    EXPECT_EQ(game.mCurrentMenu->selected, 0);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(game.mCurrentMenu->waitingForKey);
    EXPECT_EQ(game.mSettings.Binding(KeyAction::TurnLeft).mScancode, SDL_SCANCODE_LEFT);
    EXPECT_EQ(test.TakeSounds(), (std::vector<std::string>{"selected.wav", "back.wav"}));

    // The dead zone on the second page, adjusted with the D-pad.
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(game.OnControlsPage());
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_UP);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(game.mSettings.mPadDeadZone, 26);

    // Pulled out and plugged in again on any screen; the end screen goes on at
    // any button once it takes input.
    pad.PullOut();
    test.RunFrames(1);
    EXPECT_EQ(game.GetGameState(), GameState::Options);
    pad.PlugIn(test);
    game.LoadMap(true);
    game.SwitchGameState(GameState::TheEnd);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(game.GetGameState(), GameState::TheEnd);
    test.RunFrames(16);
    pad.Tap(test, SDL_CONTROLLER_BUTTON_X);
    EXPECT_EQ(game.GetGameState(), GameState::MainMenu);
}
