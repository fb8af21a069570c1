#include "core/game.h"
#include "core/termination_signal.h"

#include <SDL.h>

#include <exception>
#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    TerminationSignal::Install();
    std::string error;
    int status = 0;
    try
    {
        auto game = std::make_unique<Game>();
        if (game->Init(argc, argv))
        {
            game->Run();
        }
        status = game->mExitStatus;
    }
    catch (const std::exception& exception)
    {
        // The game is destroyed by now, so its window is gone.
        error = exception.what();
    }
    if (!error.empty())
    {
        std::cerr << error << '\n';
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quill 3D - Error", error.c_str(), nullptr);
        return 1;
    }
    return status;
}
