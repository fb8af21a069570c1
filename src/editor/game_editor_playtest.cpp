// The editor's play-test: the map on screen, as it stands, played in the
// editor's window with the game's own rules, images and sounds.
#include "core/game.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace
{
const char* const NO_PLAYER = "Place a player on the map before playing it.";
} // namespace

void Game::EditorStartPlayTest()
{
    if (!EditorHasPlayer())
    {
        mPlayTestProblem = NO_PLAYER;
        mEditorAction = EditorActionState::PlayTestRefused;
        EditorAction();
        return;
    }
    mFramework->EnterGameView();
    std::istringstream text(EditorMapText());
    bool prepared = mMap != nullptr;
    try
    {
        if (!prepared)
        {
            // The first play-test loads what the game needs; the editor itself
            // starts without it.
            PreparePlayTest();
            prepared = true;
        }
        mMap->ClearMap();
        ClearEntities(false);
        mMap->ReadMap(text, this, true);
    }
    catch (const std::runtime_error& error)
    {
        // A map the game refuses (a value it has no texture for, a facing it
        // does not take), or an image of the game that is missing, says why;
        // the map on screen stays as it is.
        if (!prepared)
        {
            // Tried again at the next P.
            mMap.reset();
        }
        else
        {
            mMap->ClearMap();
        }
        ClearEntities(false);
        mFramework->LeaveGameView();
        mPlayTestProblem = error.what();
        mEditorAction = EditorActionState::PlayTestRefused;
        EditorAction();
        return;
    }
    BeginMapPlay();
    mSettings.ReleaseAllKeys();
    mPlayTesting = true;
    SwitchGameState(GameState::Game);
}

void Game::PreparePlayTest()
{
    // The player's keys, volumes and sound switches, when there is a settings
    // file; only read, never written: the editor leaves it to the game.
    std::ifstream settings(mPaths.SettingsFile());
    if (settings)
    {
        mSettings.Read(settings);
    }
    if (!mAudioManager->IsInitialized() &&
        !mAudioManager->Init(mSettings.mSoundOn, mSettings.mMusicOn, mSettings.mSoundVolume,
                             mSettings.mMusicVolume))
    {
        std::cerr << "Warning: playing without sound. " << mAudioManager->GetLastError() << '\n';
    }
    if (!mGamepad)
    {
        StartGamepad();
    }
    LoadStartupImages(true);
    mAudioManager->LoadAllAudioFiles();
    InitWorld();
}

void Game::EndPlayTest()
{
    mPlayTesting = false;
    mPlayTestOver = false;
    mAudioManager->StopSounds();
    mAudioManager->StopMusic(false);
    ClearEntities(false);
    mMap->ClearMap();
    mSettings.ReleaseAllKeys();
    mFramework->LeaveGameView();
    SwitchGameState(GameState::Editor);
}
