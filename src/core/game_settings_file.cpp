#include "core/game.h"

#include <SDL_mixer.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{
const char* const SETTINGS_FILE = "ql3d.cfg";
const char* const SETTINGS_TEMP_FILE = "ql3d.cfg.tmp";
} // namespace

void Game::ReadConfig()
{
    std::ifstream file(SETTINGS_FILE);
    if (!file)
    {
        std::error_code error;
        if (std::filesystem::exists(SETTINGS_FILE, error) || error)
        {
            // A file we cannot read is left alone, also at exit.
            return;
        }
        // First start: create the file with the defaults.
        mSettingsRead = true;
        if (!WriteConfig())
        {
            return;
        }
        file.open(SETTINGS_FILE);
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
    // Written beside the real file and renamed over it, so an interrupted
    // write never leaves a damaged settings file.
    {
        std::ofstream file(SETTINGS_TEMP_FILE, std::ios::trunc);
        if (!file)
        {
            return false;
        }
        file << mSettings.Format();
        file.flush();
        if (!file)
        {
            file.close();
            std::remove(SETTINGS_TEMP_FILE);
            return false;
        }
    }
    if (std::rename(SETTINGS_TEMP_FILE, SETTINGS_FILE) != 0)
    {
        std::remove(SETTINGS_TEMP_FILE);
        return false;
    }
    return true;
}

void Game::CloneGameSettings() { mOldSettings = mSettings; }

void Game::RestoreOldGameSettings()
{
    mSettings = mOldSettings;
    SDL_SetWindowFullscreen(mFramework->GetWindow(),
                            mSettings.mFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
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
