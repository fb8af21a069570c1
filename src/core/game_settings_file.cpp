#include "core/game.h"

#include "core/atomic_file.h"

#include <SDL_mixer.h>

#include <filesystem>
#include <fstream>

void Game::ReadConfig()
{
    const std::string path = mPaths.SettingsFile();
    std::ifstream file(path);
    if (!file)
    {
        // Anything there that we cannot read (a folder, a file without read
        // rights, a link whose target is gone) is the player's and is left
        // alone, also at exit.
        std::error_code error;
        const auto status = std::filesystem::symlink_status(path, error);
        if (status.type() != std::filesystem::file_type::not_found)
        {
            return;
        }
        // First start: create the file with the defaults.
        mSettingsRead = true;
        if (!WriteConfig())
        {
            return;
        }
        file.open(path);
        if (!file)
        {
            return;
        }
    }
    mSettings.Read(file);
    mSettingsRead = true;
}

bool Game::WriteConfig()
{
    if (mGameState == GameState::Editor || !mSettingsRead)
    {
        return false;
    }
    // Written beside the real file (or the file a link names) and renamed over
    // it, so an interrupted write never leaves a damaged settings file.
    return mPaths.CreateSettingsFolder() &&
           AtomicFile::Replace(mPaths.SettingsFile(), mSettings.Format());
}

void Game::CloneGameSettings()
{
    mOldSettings = mSettings;
    SDL_Window* window = mFramework ? mFramework->GetWindow() : nullptr;
    mOldWindowFullscreen = window != nullptr
                               ? (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0
                               : mSettings.mFullscreen;
}

void Game::RestoreOldGameSettings()
{
    mSettings = mOldSettings;
    ApplyWindowMode(mOldWindowFullscreen);
    SDL_RenderSetVSync(mFramework->GetRenderer(), mSettings.mVSync ? 1 : 0);
    mAudioManager->SetSoundVolume(mSettings.mSoundVolume);
    mAudioManager->mSoundOn = mSettings.mSoundOn;
    mAudioManager->SetMusicVolume(mSettings.mMusicVolume);
    mAudioManager->mMusicOn = mSettings.mMusicOn;
    if (!mSettings.mMusicOn)
    {
        Mix_PauseMusic();
    }
    else if (Mix_PausedMusic() == 1)
    {
        Mix_ResumeMusic();
    }
    else if (Mix_PlayingMusic() == 0)
    {
        mAudioManager->PlayMusic(mCurrentMusic, true);
    }
}

void Game::ApplyWindowMode(bool fullscreen)
{
    SDL_Window* window = mFramework->GetWindow();
    SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!fullscreen)
    {
        // Back in a window, the window takes the game's window size again; without a
        // window manager nobody else would shrink it from the desktop's size.
        SDL_SetWindowSize(window, mFramework->mWindowWidth, mFramework->mWindowHeight);
    }
}
