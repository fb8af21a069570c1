#include "core/game.h"

void Game::InitEditor() {}

void Game::Editor() {}

void Game::TileSelection(SDL_Surface*, SDL_Surface*, SDL_Surface*) {}

void Game::CurrentTileFocus(SDL_Surface*, SDL_Surface*, SDL_Surface*, int, int) {}

template <> std::string Game::TileValueDescription<int>(int, int) const { return ""; }

template <> std::string Game::TileValueDescription<std::string>(std::string, int) const
{
    return "";
}

void Game::EditorAction() {}

void Game::EditorInitResizeMap() {}

void Game::EditorSetTile(int, int, int) {}

void Game::EditorSortEntities() {}

bool Game::EditorLoadMap() { return false; }

bool Game::EditorSaveMap() { return false; }

void Game::EditorNewMap() {}

void Game::EditorResizeMap() {}

bool Game::EditorHandleEvent(const SDL_Event& event)
{
    if (event.type == SDL_QUIT)
    {
        mRunning = false;
    }
    return true;
}
