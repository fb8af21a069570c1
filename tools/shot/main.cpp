// quill3d-shot MAP X Y ANGLE OUT.png [--data DIR] [--frames N]
//
// Loads MAP with the game's own loader (images from DIR/gfx, default "data"),
// puts the player at world position (X, Y) facing ANGLE (angle units, 1920 to
// the turn), runs N playing steps of doors and animations (entities stand
// still) and writes the 320 x 240 3D view, as the game draws it without the
// hand, the flashes and the HUD, to OUT.png.
//
// Exit status: 0 written; 1 the map or the images could not be loaded, or the
// picture not written (the reason on stderr); 2 bad arguments.

#include "core/game.h"
#include "gameplay/player.h"

#include <SDL_image.h>

#include <cmath>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace
{
constexpr int BAD_ARGUMENTS = 2;
constexpr int FAILED = 1;

struct ShotRequest
{
    std::string map;
    double x = 0;
    double y = 0;
    double angle = 0;
    std::string output;
    std::string dataDirectory = "data";
    int frames = 0;
};

const char* const USAGE = "usage: quill3d-shot MAP X Y ANGLE OUT.png [--data DIR] [--frames N]";

std::optional<double> ParseNumber(const std::string& text)
{
    try
    {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value))
        {
            return std::nullopt;
        }
        return value;
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

std::optional<int> ParseCount(const std::string& text)
{
    try
    {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used != text.size() || value < 0)
        {
            return std::nullopt;
        }
        return value;
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

// Reads the command line; prints what is wrong and returns nothing when it is bad.
std::optional<ShotRequest> ParseArguments(int argc, char** argv)
{
    ShotRequest request;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--data" || argument == "--frames")
        {
            if (i + 1 >= argc)
            {
                std::cerr << argument << " needs a value\n";
                return std::nullopt;
            }
            const std::string value = argv[++i];
            if (argument == "--data")
            {
                request.dataDirectory = value;
                continue;
            }
            const std::optional<int> frames = ParseCount(value);
            if (!frames)
            {
                std::cerr << "--frames needs a count of 0 or more, not " << value << '\n';
                return std::nullopt;
            }
            request.frames = *frames;
            continue;
        }
        positional.push_back(argument);
    }
    if (positional.size() != 5)
    {
        return std::nullopt;
    }
    const std::optional<double> x = ParseNumber(positional[1]);
    const std::optional<double> y = ParseNumber(positional[2]);
    const std::optional<double> angle = ParseNumber(positional[3]);
    if (!x || !y || !angle)
    {
        std::cerr << "X, Y and ANGLE must be numbers\n";
        return std::nullopt;
    }
    request.map = positional[0];
    request.x = *x;
    request.y = *y;
    // Facings are kept within one turn.
    request.angle = std::fmod(*angle, FULL_TURN);
    if (request.angle < 0)
    {
        request.angle += FULL_TURN;
    }
    request.output = positional[4];
    return request;
}

int Shoot(const ShotRequest& request)
{
    Game game;
    try
    {
        game.InitWorldView(request.dataDirectory + "/gfx");
        if (!game.mMap->OpenMap(request.map, &game, true))
        {
            std::cerr << "Couldn't open map file: " << request.map << '\n';
            return FAILED;
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << error.what() << '\n';
        return FAILED;
    }
    const Map& map = *game.mMap;
    game.mRaycaster->SetVisArray(map.mWidth, map.mHeight);
    if (request.x < 0 || request.y < 0 || request.x >= TILE_SIZE * map.mWidth ||
        request.y >= TILE_SIZE * map.mHeight)
    {
        std::cerr << "The position (" << request.x << ", " << request.y
                  << ") lies outside the map, which spans 0 to " << TILE_SIZE * map.mWidth
                  << " by 0 to " << TILE_SIZE * map.mHeight << " units\n";
        return BAD_ARGUMENTS;
    }
    Player* player = game.GetPlayerRecord();
    player->mX = request.x;
    player->mY = request.y;
    player->mDeltaX = 0;
    player->mDeltaY = 0;
    player->mAngle = request.angle;
    player->CalculateDistance();
    try
    {
        for (int frame = 0; frame < request.frames; ++frame)
        {
            game.StepWorld();
        }
        SDL_Surface* view = game.DrawWorldView();
        if (IMG_SavePNG(view, request.output.c_str()) != 0)
        {
            std::cerr << "Couldn't write " << request.output << ": " << SDL_GetError() << '\n';
            return FAILED;
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << error.what() << '\n';
        return FAILED;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::optional<ShotRequest> request = ParseArguments(argc, argv);
    if (!request)
    {
        std::cerr << USAGE << '\n';
        return BAD_ARGUMENTS;
    }
    // The view is drawn off screen; no window is needed, nor a display.
    if (std::getenv("SDL_VIDEODRIVER") == nullptr)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    return Shoot(*request);
}
