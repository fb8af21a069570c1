#pragma once

#include "core/game.h"
#include "gameplay/player.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"
#include "world/map_file.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

// The plain colours of the test textures that WorldFixture draws with. Every
// 64 x 64 wall texture is colour A on its left half (columns 0 to 31) and colour B
// (A's channels turned round: r, g, b -> g, b, r) on its right half; every
// ceiling/floor texture is a checker of four 32 x 32 squares, A top left and
// bottom right, B in the others. Sprites are a block of one colour (columns 16 to
// 47, rows 16 to 63 of their frame) on transparent ground.
namespace TestTextures
{
Rgb WallLeft(int rectangle);
Rgb WallRight(int rectangle);
Rgb FloorA(int value);
Rgb FloorB(int value);
// Sprite frames by their x in the sprite image / 64.
Rgb Item(int frame);
Rgb Enemy(int frame);
Rgb Projectile(int frame);
// A colour darkened as the renderer darkens it at the given light (0 to 32).
Rgb Shaded(Rgb colour, double light);
} // namespace TestTextures

// A map file in the editor's layout, built from one string per row with one
// character per walls cell ('0' to '9', then 'a' = 10 to 'e' = 14).
class MapText
{
public:
    explicit MapText(const std::vector<std::string>& walls);
    MapText& Add(const std::string& type, int x, int y, int degrees = 0);
    std::string Text() const;

private:
    MapFile mFile;
};

// The 3D world alone, headless: the real framework, image manager, map and
// raycaster of a Game started with Game::InitWorldView, drawing with the plain
// test textures above written into a scratch directory. Needs no game data.
class WorldFixture
{
public:
    WorldFixture();
    ~WorldFixture();

    Game& game() { return *mGame; }
    Map& map() { return *mGame->mMap; }
    Raycaster& raycaster() { return *mGame->mRaycaster; }
    WorldView view() { return mGame->MakeWorldView(); }
    ScratchDir& dir() { return *mDir; }

    // Writes a map file into the scratch directory; returns its path.
    std::string WriteMap(const std::string& text, const std::string& name = "test.map");
    // Loads a map as a new game does (a new player); content errors throw.
    void Load(const std::string& text);
    void Load(const MapText& map) { Load(map.Text()); }
    Player& player() { return *mGame->GetPlayerRecord(); }
    void Place(double x, double y, double angle);

    // Draws the 3D view and returns the frame.
    SDL_Surface* Render();
    Rgb Pixel(int x, int y);
    // The image of a door cell as colours.
    Rgb DoorPixel(int tileX, int tileY, int x, int y);
    bool DoorPixelTransparent(int tileX, int tileY, int x, int y);

    // Starts the (dummy) audio device with silent door and collision sounds and
    // records what is played.
    void ListenToSounds();
    std::vector<std::string> TakeSounds();
    const std::vector<SoundEvent>& Sounds() const { return mSounds; }

private:
    std::unique_ptr<ScratchDir> mDir;
    std::unique_ptr<Game> mGame;
    std::vector<SoundEvent> mSounds;
};
