#include "core/frame_pacing.h"
#include "core/game.h"
#include "core/utils.h"
#include "menus/options_places.h"

#include <algorithm>
#include <stdexcept>

namespace
{
constexpr int LINE = 8;

std::unique_ptr<MenuStruct> MakeMenu(const std::string& id, const std::string& titleImage,
                                     std::vector<std::string> entries)
{
    auto menu = std::make_unique<MenuStruct>();
    menu->id = id;
    menu->titleImage = titleImage;
    menu->entries = std::move(entries);
    return menu;
}

void DrawCentred(const Font& font, const std::string& text, SDL_Surface* glyphs,
                 SDL_Surface* target, int y)
{
    font.RenderString(text, glyphs, target, (target->w - static_cast<int>(text.size()) * LINE) / 2,
                      y);
}

void Blit(SDL_Surface* image, SDL_Surface* target, int x, int y)
{
    SDL_Rect destination{x, y, image->w, image->h};
    SDL_UpperBlit(image, nullptr, target, &destination);
}

std::string OnOff(bool on)
{
    return on ? "On" : "Off";
}

std::string Percent(int volume)
{
    return std::to_string(volume * 100 / 128) + "%";
}

// Where a selectable place stands in the menu's list, spacers counted.
int ListPositionOf(const MenuStruct& menu, int place)
{
    int remaining = place;
    for (std::size_t i = 0; i < menu.entries.size(); ++i)
    {
        if (!menu.entries[i].empty() && remaining-- == 0)
        {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(menu.entries.size()) - 1;
}

// The options list's rows start below the title, one line an entry.
int OptionsRow(int listPosition)
{
    return 40 + LINE * listPosition;
}

// The centred commands of an options page stand together, the last on this row.
constexpr int LAST_COMMAND_ROW = 200;
} // namespace

void Game::InitMenus()
{
    mMenus.clear();
    mMenus.push_back(MakeMenu("mainMenu", "title", {"New Game", "Options", "Quit"}));
    mMenus.push_back(MakeMenu(OptionsPages::FIRST_PAGE_ID, "options",
                              {"Turn Left:",
                               "Turn Right:",
                               "Move Forward:",
                               "Move Backward:",
                               "Use:",
                               "Fire:",
                               "Run:",
                               "Strafe:",
                               "Select Fireball:",
                               "Select Scroll:",
                               "",
                               "Fullscreen:",
                               "VSync:",
                               "",
                               "Sound:",
                               "Sound Volume:",
                               "Music:",
                               "Music Volume:",
                               "Mouse and Gamepad",
                               "Discard Changes",
                               "Previous Menu"}));
    mMenus.push_back(MakeMenu("inGameMenu", "title", {"Back to Game", "Options", "Quit"}));
    mMenus.push_back(MakeMenu(
        OptionsPages::CONTROLS_PAGE_ID, "options",
        {"Mouse Turning:", "Mouse Sensitivity:", "", "Stick Dead Zone:", "Previous Menu"}));
}

void Game::AdvanceMenuBlink()
{
    if (mCurrentMenu->entries.empty())
    {
        throw std::runtime_error("No menu items defined!");
    }
    if (!IsSlowFrame(mFrameTime) && ++mCurrentMenu->blinkCounter > 15)
    {
        mCurrentMenu->blinkCounter = 0;
        mCurrentMenu->showArrow = !mCurrentMenu->showArrow;
    }
}

int Game::DrawMenuEntries(SDL_Surface* target)
{
    const MenuStruct& menu = *mCurrentMenu;
    const int count = static_cast<int>(menu.entries.size());
    std::size_t longest = 1;
    for (const std::string& entry : menu.entries)
    {
        longest = std::max(longest, entry.size());
    }
    const int labelsWidth = LINE * static_cast<int>(longest) - LINE;
    const int x = (target->w - labelsWidth) / 2;
    const int y0 = (target->h - 16 * count) / 2;
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    for (int i = 0; i < count; ++i)
    {
        mFont->RenderString(menu.entries[i], glyphs, target, x, y0 + LINE * i);
    }
    if (menu.showArrow)
    {
        Blit(mImageManager->GetImage("arrow"), target, (target->w - 16 - labelsWidth) / 2,
             y0 + LINE * menu.selected);
    }
    return y0 + LINE * count;
}

void Game::MainMenu()
{
    AdvanceMenuBlink();
    SDL_Surface* frame = FrameSurface();
    SDL_Surface* title = mImageManager->GetImage(mCurrentMenu->titleImage);
    Blit(title, frame, (frame->w - title->w) / 2, 8);
    const int yEnd = DrawMenuEntries(frame);
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    DrawCentred(*mFont, QuillUtils::DESCRIPTION1, glyphs, frame, yEnd + 40);
    DrawCentred(*mFont, QuillUtils::DESCRIPTION2, glyphs, frame, yEnd + 48);
    DrawCentred(*mFont, QuillUtils::VERSIONSTRING, glyphs, frame, yEnd + 88);
    DrawCentred(*mFont, QuillUtils::AUTHOR, glyphs, frame, yEnd + 104);
}

void Game::DrawDarkenedGame()
{
    SDL_Surface* background = mMenuBackground.Find<SDL_Surface>();
    SDL_Surface* canvas = mMenuCanvas.Find<SDL_Surface>();
    if (background == nullptr || canvas == nullptr)
    {
        return;
    }
    SDL_LockSurface(background);
    SDL_LockSurface(canvas);
    for (int y = 0; y < canvas->h; ++y)
    {
        for (int x = 0; x < canvas->w; ++x)
        {
            Uint8 r = 0;
            Uint8 g = 0;
            Uint8 b = 0;
            SDL_GetRGB(QuillUtils::GetPixel(background, x, y), background->format, &r, &g, &b);
            QuillUtils::SetPixel(canvas, x, y, SDL_MapRGBA(canvas->format, r, g, b, 128));
        }
    }
    SDL_UnlockSurface(canvas);
    SDL_UnlockSurface(background);
}

void Game::PresentMenuCanvas()
{
    SDL_Surface* canvas = mMenuCanvas.Find<SDL_Surface>();
    if (canvas != nullptr)
    {
        SDL_UpperBlit(canvas, nullptr, FrameSurface(), nullptr);
    }
}

void Game::InGameMenu()
{
    AdvanceMenuBlink();
    DrawDarkenedGame();
    SDL_Surface* canvas = mMenuCanvas.Find<SDL_Surface>();
    if (canvas == nullptr)
    {
        return;
    }
    SDL_Surface* title = mImageManager->GetImage(mCurrentMenu->titleImage);
    Blit(title, canvas, (canvas->w - title->w) / 2, (canvas->h - title->h - 120) / 2);
    const int yEnd = DrawMenuEntries(canvas);
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    DrawCentred(*mFont, QuillUtils::DESCRIPTION1, glyphs, canvas, yEnd + 24);
    DrawCentred(*mFont, QuillUtils::DESCRIPTION2, glyphs, canvas, yEnd + 32);
    PresentMenuCanvas();
}

bool Game::OnControlsPage() const
{
    return mCurrentMenu != nullptr && mCurrentMenu->id == OptionsPages::CONTROLS_PAGE_ID;
}

std::string Game::OptionsValue(int place) const
{
    if (OnControlsPage())
    {
        return ControlsValue(place);
    }
    const MenuStruct& menu = *mCurrentMenu;
    if (OptionsPlace::IsBinding(place))
    {
        const bool capturing = menu.waitingForKey && menu.selected == place;
        if (capturing)
        {
            return menu.showArrow ? "?" : "";
        }
        const auto scancode = static_cast<SDL_Scancode>(mSettings.mKeyBindings[place].mScancode);
        return SDL_GetKeyName(SDL_GetKeyFromScancode(scancode));
    }
    switch (place)
    {
    case OptionsPlace::FULLSCREEN:
        return OnOff(
            (SDL_GetWindowFlags(mFramework->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0);
    case OptionsPlace::VSYNC:
        return OnOff((mFramework->GetRendererInfo().flags & SDL_RENDERER_PRESENTVSYNC) != 0);
    case OptionsPlace::SOUND:
        return OnOff(mAudioManager->mSoundOn);
    case OptionsPlace::SOUND_VOLUME:
        return Percent(mAudioManager->mSoundVolume);
    case OptionsPlace::MUSIC:
        return OnOff(mAudioManager->mMusicOn);
    case OptionsPlace::MUSIC_VOLUME:
        return Percent(mAudioManager->mMusicVolume);
    default:
        return "";
    }
}

std::string Game::ControlsValue(int place) const
{
    switch (place)
    {
    case ControlsPlace::MOUSE_TURNING:
        return OnOff(mSettings.mMouseTurning);
    case ControlsPlace::MOUSE_SENSITIVITY:
        return std::to_string(mSettings.mMouseSensitivity);
    case ControlsPlace::PAD_DEAD_ZONE:
        return std::to_string(mSettings.mPadDeadZone) + "%";
    default:
        return "";
    }
}

int Game::OptionsPlaceRow(int place) const
{
    const bool controlsPage = OnControlsPage();
    const int firstCommand = OptionsPages::FirstCommand(controlsPage);
    if (place < firstCommand)
    {
        return OptionsRow(ListPositionOf(*mCurrentMenu, place));
    }
    return LAST_COMMAND_ROW - LINE * (OptionsPages::Count(controlsPage) - 1 - place);
}

void Game::Options()
{
    AdvanceMenuBlink();
    SDL_Surface* frame = FrameSurface();
    if (mGameInProgress)
    {
        DrawDarkenedGame();
        PresentMenuCanvas();
    }
    SDL_Surface* title = mImageManager->GetImage(mCurrentMenu->titleImage);
    Blit(title, frame, (frame->w - title->w) / 2, 8);
    const int arrowX = ((frame->w - title->w) + 80) / 2;
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    const MenuStruct& menu = *mCurrentMenu;
    const bool controlsPage = OnControlsPage();
    // The settings in a list with their values, the commands centred below.
    for (int place = 0; place < OptionsPages::Count(controlsPage); ++place)
    {
        const std::string& label = menu.entries[ListPositionOf(menu, place)];
        if (place < OptionsPages::FirstCommand(controlsPage))
        {
            mFont->RenderString(label + " " + OptionsValue(place), glyphs, frame, arrowX + LINE,
                                OptionsPlaceRow(place));
        }
        else
        {
            DrawCentred(*mFont, label, glyphs, frame, OptionsPlaceRow(place));
        }
    }
    if (controlsPage)
    {
        // Which pad plays, under its dead zone: a pad SDL knows no mapping for
        // never shows here.
        const std::string pad = mGamepad && mGamepad->IsConnected() ? mGamepad->Name() : "None";
        const int x = arrowX + LINE;
        const std::string line = ("Gamepad: " + pad).substr(0, (frame->w - x) / LINE);
        mFont->RenderString(line, glyphs, frame, x,
                            OptionsPlaceRow(ControlsPlace::PAD_DEAD_ZONE) + LINE);
    }
    DrawCentred(*mFont, QuillUtils::DESCRIPTION1, glyphs, frame, 216);
    DrawCentred(*mFont, QuillUtils::DESCRIPTION2, glyphs, frame, 224);

    if (!menu.showArrow)
    {
        return;
    }
    const int selected = menu.selected;
    const bool adjusting = menu.waitingForKey && OptionsPages::IsAdjustable(controlsPage, selected);
    const bool capturingKey = menu.waitingForKey && OptionsPages::IsBinding(controlsPage, selected);
    if (capturingKey)
    {
        return;
    }
    int x = arrowX;
    if (adjusting)
    {
        const std::string& label = menu.entries[ListPositionOf(menu, selected)];
        x = arrowX + LINE + LINE * static_cast<int>(label.size());
    }
    Blit(mImageManager->GetImage("arrow"), frame, x, OptionsPlaceRow(selected));
}

void Game::MenuKeyAction(SDL_Scancode key)
{
    MenuStruct& menu = *mCurrentMenu;
    const int selected = menu.selected;
    const bool controlsPage = OnControlsPage();
    if (menu.waitingForKey && OptionsPages::IsBinding(controlsPage, selected))
    {
        mSettings.mKeyBindings[selected].mScancode = key;
        menu.waitingForKey = false;
        return;
    }
    if (menu.waitingForKey && OptionsPages::IsAdjustable(controlsPage, selected))
    {
        AdjustSetting(selected, (key == SDL_SCANCODE_RIGHT || key == SDL_SCANCODE_UP) ? 1 : -1);
        return;
    }
    const int count = OptionsPages::Count(controlsPage);
    if (key == SDL_SCANCODE_UP)
    {
        menu.selected = selected - 1 < 0 ? count - 1 : selected - 1;
        mAudioManager->PlaySound("select.wav");
    }
    else if (key == SDL_SCANCODE_DOWN)
    {
        menu.selected = selected + 1 >= count ? 0 : selected + 1;
        mAudioManager->PlaySound("select.wav");
    }
}

void Game::AdjustSetting(int selected, int change)
{
    if (OnControlsPage() && selected == ControlsPlace::MOUSE_SENSITIVITY)
    {
        mSettings.mMouseSensitivity =
            std::clamp(mSettings.mMouseSensitivity + change, GameSettings::MIN_MOUSE_SENSITIVITY,
                       GameSettings::MAX_MOUSE_SENSITIVITY);
    }
    else if (OnControlsPage())
    {
        mSettings.mPadDeadZone =
            std::clamp(mSettings.mPadDeadZone + change, GameSettings::MIN_PAD_DEAD_ZONE,
                       GameSettings::MAX_PAD_DEAD_ZONE);
    }
    else if (selected == OptionsPlace::SOUND_VOLUME)
    {
        mAudioManager->SetSoundVolume(mAudioManager->mSoundVolume + change);
        mSettings.mSoundVolume = mAudioManager->mSoundVolume;
    }
    else
    {
        mAudioManager->SetMusicVolume(mAudioManager->mMusicVolume + change);
        mSettings.mMusicVolume = mAudioManager->mMusicVolume;
    }
}

void Game::Credits()
{
    SDL_Surface* frame = FrameSurface();
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    mFont->RenderString("Thank you for playing!", glyphs, frame, (frame->w - LINE * 22) / 2,
                        (frame->h - 24) / 2);
    mFont->RenderString("A game created by", glyphs, frame, (frame->w - LINE * 17) / 2,
                        frame->h / 2);
    DrawCentred(*mFont, QuillUtils::CREDITS_NAME, glyphs, frame, (frame->h + 16) / 2);
    mFramework->Render();
    mSleep(3000);
}
