#include "support/world_fixture.h"

#include "core/utils.h"
#include "support/test_images.h"

#include <cstdint>
#include <stdexcept>

namespace
{
const Rgb MISSING{255, 0, 255};

const Rgb WALL_COLOURS[] = {
    {40, 80, 200},   // 0 blue wall
    {40, 200, 80},   // 1 green wall
    {200, 40, 40},   // 2 red wall
    {200, 200, 40},  // 3 yellow wall
    {120, 80, 40},   // 4 empty bookshelf
    {160, 120, 60},  // 5 bookshelf
    {240, 160, 0},   // 6 standard door
    {0, 160, 240},   // 7 blue-key door
    {240, 120, 40},  // 8 orange-key door
    {176, 112, 48},  // 9 bronze-key door
    {0, 240, 120},   // 10 exit door
    {96, 240, 96},   // 11 fake exit door
    {128, 128, 128}, // 12 door frame
    {240, 96, 16},   // 13 fireplace, first frame
    {248, 200, 16},  // 14 fireplace, second frame
};
const Rgb FLOOR_COLOURS[] = {{96, 64, 32}, {64, 96, 32}, {32, 64, 96}};
const Rgb ITEM_COLOURS[] = {{240, 16, 16},  {16, 240, 16},  {16, 16, 240}, {240, 240, 16},
                            {16, 240, 240}, {240, 16, 240}, {112, 48, 16}};
const Rgb ENEMY_COLOURS[] = {{200, 0, 200}, {120, 40, 160}, {250, 130, 250}, {100, 0, 100}};
const Rgb PROJECTILE_COLOURS[] = {{255, 255, 0}, {0, 255, 255}};

Rgb Turned(Rgb colour)
{
    return {colour.g, colour.b, colour.r};
}

template <std::size_t N> Rgb Lookup(const Rgb (&table)[N], int index)
{
    return index >= 0 && index < static_cast<int>(N) ? table[index] : MISSING;
}

Wrapper NewImage(int width, int height)
{
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
    {
        throw std::runtime_error(std::string("cannot create a test image: ") + SDL_GetError());
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 0, 0, 0, 0));
    return Wrapper(surface);
}

void Fill(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour)
{
    SDL_Rect rect{x, y, w, h};
    SDL_FillRect(surface, &rect,
                 SDL_MapRGBA(surface->format, static_cast<Uint8>(colour.r),
                             static_cast<Uint8>(colour.g), static_cast<Uint8>(colour.b), 255));
}

void Save(const Wrapper& image, const std::string& path)
{
    if (!SaveImage(image.Get<SDL_Surface>(), path))
    {
        throw std::runtime_error("cannot write " + path);
    }
}

// An atlas of 8 x 8 textures: walls in halves, ceilings and floors in a checker.
void WriteAtlas(const std::string& path, bool checker)
{
    Wrapper image = NewImage(512, 512);
    SDL_Surface* surface = image.Get<SDL_Surface>();
    for (int i = 0; i < 64; ++i)
    {
        const int x = 64 * (i % 8);
        const int y = 64 * (i / 8);
        const Rgb a = checker ? TestTextures::FloorA(i) : TestTextures::WallLeft(i);
        const Rgb b = checker ? TestTextures::FloorB(i) : TestTextures::WallRight(i);
        Fill(surface, x, y, 32, checker ? 32 : 64, a);
        Fill(surface, x + 32, y, 32, checker ? 32 : 64, b);
        if (checker)
        {
            Fill(surface, x + 32, y + 32, 32, 32, a);
            Fill(surface, x, y + 32, 32, 32, b);
        }
    }
    Save(image, path);
}

void WriteSpriteImage(const std::string& path, int frames, Rgb (*colour)(int))
{
    Wrapper image = NewImage(64 * frames, 64);
    for (int frame = 0; frame < frames; ++frame)
    {
        Fill(image.Get<SDL_Surface>(), 64 * frame + 16, 16, 32, 48, colour(frame));
    }
    Save(image, path);
}

// A short silent 16-bit mono WAV file: its header, then 64 samples of zero.
void WriteSilentWav(const std::string& path)
{
    std::string bytes = "RIFF";
    const auto number = [&bytes](std::uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i)
        {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    number(36 + 128, 4);
    bytes += "WAVEfmt ";
    for (const auto& [value, size] :
         {std::pair{16, 4}, {1, 2}, {1, 2}, {22050, 4}, {44100, 4}, {2, 2}, {16, 2}})
    {
        number(value, size);
    }
    bytes += "data";
    number(128, 4);
    WriteWholeFile(path, bytes + std::string(128, '\0'));
}

int CellValue(char character)
{
    return character >= 'a' ? character - 'a' + 10 : character - '0';
}

std::vector<std::int32_t> CellValues(const std::vector<std::string>& rows, std::size_t width)
{
    std::vector<std::int32_t> values;
    for (const std::string& row : rows)
    {
        if (row.size() != width)
        {
            throw std::invalid_argument("map rows differ in length");
        }
        for (const char character : row)
        {
            values.push_back(CellValue(character));
        }
    }
    return values;
}
} // namespace

namespace TestTextures
{
Rgb WallLeft(int rectangle)
{
    return Lookup(WALL_COLOURS, rectangle);
}
Rgb WallRight(int rectangle)
{
    return Turned(WallLeft(rectangle));
}
Rgb FloorA(int value)
{
    return Lookup(FLOOR_COLOURS, value);
}
Rgb FloorB(int value)
{
    return Turned(FloorA(value));
}
Rgb Item(int frame)
{
    return Lookup(ITEM_COLOURS, frame);
}
Rgb Enemy(int frame)
{
    return Lookup(ENEMY_COLOURS, frame);
}
Rgb Projectile(int frame)
{
    return Lookup(PROJECTILE_COLOURS, frame);
}

Rgb Shaded(Rgb colour, double light)
{
    const auto shade = [light](int channel)
    {
        return static_cast<int>(
            static_cast<std::uint8_t>(static_cast<std::uint16_t>(channel / 32.0 * light)));
    };
    return {shade(colour.r), shade(colour.g), shade(colour.b)};
}
} // namespace TestTextures

MapText::MapText(const std::vector<std::string>& walls)
{
    mFile.width = walls.empty() ? 0 : static_cast<std::int32_t>(walls[0].size());
    mFile.height = static_cast<std::int32_t>(walls.size());
    mFile.walls = CellValues(walls, static_cast<std::size_t>(mFile.width));
    mFile.floors.assign(mFile.walls.size(), 0);
}

MapText& MapText::Add(const std::string& type, int x, int y, int degrees)
{
    mFile.entities.push_back({type, std::to_string(degrees), x, y});
    return *this;
}

std::string MapText::Text() const
{
    return MapFileText(mFile);
}

WorldFixture::WorldFixture()
{
    UseHeadlessDrivers();
    mDir = std::make_unique<ScratchDir>();
    std::filesystem::create_directories(mDir->Path() / "gfx");
    WriteAtlas("gfx/walls.png", false);
    WriteAtlas("gfx/cfs.png", true);
    WriteSpriteImage("gfx/items.png", 7, TestTextures::Item);
    WriteSpriteImage("gfx/enemy.png", 4, TestTextures::Enemy);
    WriteSpriteImage("gfx/projectiles.png", 2, TestTextures::Projectile);
    mGame = std::make_unique<Game>();
    mGame->InitWorldView("gfx");
}

WorldFixture::~WorldFixture()
{
    mGame.reset();
    mDir.reset();
}

std::string WorldFixture::WriteMap(const std::string& text, const std::string& name)
{
    const std::string path = "maps/" + name;
    mDir->WriteFile(path, text);
    return path;
}

void WorldFixture::Load(const std::string& text)
{
    mGame->mMap->ClearMap();
    mGame->ClearEntities(false);
    if (!mGame->mMap->OpenMap(WriteMap(text), mGame.get(), true))
    {
        throw std::runtime_error("the test map could not be opened");
    }
    mGame->mRaycaster->SetVisArray(mGame->mMap->mWidth, mGame->mMap->mHeight);
}

void WorldFixture::Place(double x, double y, double angle)
{
    Player& p = player();
    p.mX = x;
    p.mY = y;
    p.mAngle = angle;
}

SDL_Surface* WorldFixture::Render()
{
    return mGame->DrawWorldView();
}

Rgb WorldFixture::Pixel(int x, int y)
{
    return TestGame::PixelAt(mGame->mFramework->GetSurface(), x, y);
}

Rgb WorldFixture::DoorPixel(int tileX, int tileY, int x, int y)
{
    return TestGame::PixelAt(mGame->mMap->GetDoor(tileX, tileY)->surface.Get<SDL_Surface>(), x, y);
}

bool WorldFixture::DoorPixelTransparent(int tileX, int tileY, int x, int y)
{
    SDL_Surface* image = mGame->mMap->GetDoor(tileX, tileY)->surface.Get<SDL_Surface>();
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    Uint8 a = 0;
    SDL_GetRGBA(QuillUtils::GetPixel(image, x, y), image->format, &r, &g, &b, &a);
    return a == 0;
}

void WorldFixture::ListenToSounds()
{
    AudioManager& audio = *mGame->mAudioManager;
    if (!audio.Init(true, true, 128, 128))
    {
        throw std::runtime_error("no audio: " + audio.GetLastError());
    }
    for (const char* name : {"open_door.wav", "close_door.wav", "collision.wav"})
    {
        std::filesystem::create_directories(mDir->Path() / "data" / "sfx");
        WriteSilentWav(std::string("data/sfx/") + name);
        audio.LoadSound(name);
    }
    audio.SetObserver([this](const SoundEvent& event) { mSounds.push_back(event); });
}

std::vector<std::string> WorldFixture::TakeSounds()
{
    return TakeSoundNames(mSounds);
}
