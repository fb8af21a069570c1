// The pictures, sounds and music under data/: the asset generator makes them
// afresh alike, the game finds and loads what it plays, and the pictures are
// cut as the game cuts them.
#include "support/scratch_dir.h"
#include "support/test_game.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

namespace fs = std::filesystem;

namespace
{
// Opens the mixer on the dummy driver in the game's format for the life of the object.
struct DummyMixer
{
    DummyMixer()
    {
        UseHeadlessDrivers();
        open = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) == 0;
    }
    ~DummyMixer()
    {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    bool open = false;
};

// How much two sounds or tracks differ once decoded into the mixer's 16-bit
// samples, as a fraction of the first one's strength (1 when one cannot load
// or their lengths differ by more than 1 %).
double DecodedDifference(const fs::path& expected, const fs::path& actual)
{
    const Wrapper first(Mix_LoadWAV(expected.string().c_str()));
    const Wrapper second(Mix_LoadWAV(actual.string().c_str()));
    const Mix_Chunk* a = first.Find<Mix_Chunk>();
    const Mix_Chunk* b = second.Find<Mix_Chunk>();
    if (a == nullptr || b == nullptr ||
        std::abs(static_cast<double>(a->alen) - b->alen) > a->alen / 100.0)
    {
        return 1;
    }
    double difference = 0;
    double strength = 1;
    for (Uint32 i = 0; i < std::min(a->alen, b->alen) / 2; ++i)
    {
        const int sample = reinterpret_cast<const Sint16*>(a->abuf)[i];
        difference += std::pow(sample - reinterpret_cast<const Sint16*>(b->abuf)[i], 2.0);
        strength += std::pow(sample, 2.0);
    }
    return std::sqrt(difference / strength);
}

// The names of a list file, split as the audio manager splits them.
std::vector<std::string> AudioList(const std::string& list)
{
    std::vector<std::string> names;
    std::istringstream words(ReadWholeFile(GameDataDir() / list));
    for (std::string name; words >> name;)
    {
        names.push_back(name);
    }
    return names;
}

struct Picture
{
    explicit Picture(const std::string& name)
        : image(LoadArgbImage((GameDataDir() / "gfx" / name).string())),
          surface(image.Find<SDL_Surface>())
    {
    }
    bool Clear(int x, int y) const { return PixelOf(surface, x, y) >> 24 == 0; }
    // The pixels of a cell, counting the opaque ones and any that are neither
    // opaque nor clear.
    std::vector<Uint32> Cell(const SDL_Rect& cell, int& opaque, int& blended) const
    {
        std::vector<Uint32> pixels;
        for (int y = cell.y; y < cell.y + cell.h; ++y)
        {
            for (int x = cell.x; x < cell.x + cell.w; ++x)
            {
                pixels.push_back(PixelOf(surface, x, y));
                opaque += pixels.back() >> 24 == 255 ? 1 : 0;
                blended += pixels.back() >> 24 == 255 || Clear(x, y) ? 0 : 1;
            }
        }
        return pixels;
    }

    Wrapper image;
    SDL_Surface* surface;
};
} // namespace

// Exact bytes would tie the data to the versions of the PNG, Vorbis and maths
// libraries; the pictures and sounds they hold must be alike.
TEST(Generator, ReproducesTheCommittedPicturesAndSounds)
{
    const ScratchDir scratch;
    const fs::path output = scratch.Path() / "generated";
    const std::string command =
        std::string("\"") + QUILL_GENERATOR + "\" --out \"" + output.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const DummyMixer mixer;
    ASSERT_TRUE(mixer.open) << Mix_GetError();
    const auto countFiles = [](const fs::path& folder)
    { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); };
    for (const char* folder : {"gfx", "sfx", "music", "icons"})
    {
        // Every file has its committed twin (which the comparisons below read).
        ASSERT_EQ(countFiles(output / folder), countFiles(GameDataDir() / folder)) << folder;
        for (const auto& entry : fs::directory_iterator(output / folder))
        {
            const fs::path& made = entry.path();
            const fs::path committed = GameDataDir() / folder / made.filename();
            SCOPED_TRACE(committed.string());
            const std::string type = made.extension().string();
            if (type == ".png")
            {
                // At most a step or two in a channel, as another zlib or maths library may give.
                EXPECT_EQ(
                    CountDifferentPixels(LoadArgbImage(made.string()).Find<SDL_Surface>(),
                                         LoadArgbImage(committed.string()).Find<SDL_Surface>(), 2),
                    0);
            }
            else if (type == ".wav" || type == ".ogg")
            {
                EXPECT_LT(DecodedDifference(committed, made), 0.05);
            }
            else
            {
                EXPECT_EQ(ReadWholeFile(made), ReadWholeFile(committed));
            }
        }
    }
}

// Every sound and track the game plays is listed and loads; every effect is at
// 44.1 kHz, peaks between -3 and -0.1 dB of full scale (as loud as the others,
// never clipped) and lasts less than two seconds.
TEST(Audio, EverySoundAndTrackTheGamePlaysIsListedAndLoads)
{
    const std::vector<std::string> sounds = AudioList("sfx/sounds.cfg");
    const std::vector<std::string> tracks = AudioList("music/music.cfg");
    for (const char* name :
         {"select.wav", "selected.wav", "back.wav", "scroll.wav", "fire.wav", "open_door.wav",
          "close_door.wav", "collision.wav", "nope.wav", "pick_up.wav", "enemy_hit.wav",
          "player_hit.wav", "title.ogg", "map_completed.ogg", "the_end.ogg"})
    {
        const auto& list = std::string(name).find(".ogg") == std::string::npos ? sounds : tracks;
        EXPECT_EQ(std::count(list.begin(), list.end(), name), 1) << name;
    }
    const DummyMixer mixer;
    ASSERT_TRUE(mixer.open) << Mix_GetError();
    for (const std::string& name : tracks)
    {
        Wrapper music(Mix_LoadMUS((GameDataDir() / "music" / name).string().c_str()));
        EXPECT_NE(music.Find<Mix_Music>(), nullptr) << name << ": " << Mix_GetError();
    }
    for (const std::string& name : sounds)
    {
        SDL_AudioSpec sound{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(
            SDL_LoadWAV((GameDataDir() / "sfx" / name).string().c_str(), &sound, &buffer, &length),
            nullptr)
            << name;
        int peak = 0;
        for (Uint32 i = 0; i + 1 < length; i += 2)
        {
            peak =
                std::max(peak, std::abs(static_cast<int>(*reinterpret_cast<Sint16*>(buffer + i))));
        }
        SDL_FreeWAV(buffer);
        EXPECT_EQ(sound.format, AUDIO_S16LSB) << name;
        EXPECT_EQ(sound.freq, 44100) << name;
        EXPECT_TRUE(peak >= 23197 && peak <= 32393) << name << " peaks at " << peak;
        EXPECT_LT(length / 2 / sound.channels, 2U * 44100U) << name;
    }
}

// Sheets of equal cells side by side: their sizes, cut-out frames (alpha all on
// or all off), no two frames alike, and which of each frame is background.
TEST(Images, EverySheetHoldsItsCellsAsTheGameCutsThem)
{
    enum Ground
    {
        Opaque,  // textures fill the whole sheet
        Edges,   // a sprite standing in the world touches no edge but the bottom
        Corners, // an icon
        Any      // a tiny pointer may fill its cell
    };
    const struct
    {
        const char* name;
        int width, height, cellWidth, cellHeight, cells, distinct;
        Ground ground;
    } sheets[] = {
        // The fake exit is the very picture of the exit.
        {"walls.png", 512, 512, 64, 64, 14, 13, Opaque},
        {"cfs.png", 512, 512, 64, 64, 3, 3, Opaque},
        {"items.png", 448, 64, 64, 64, 7, 7, Edges},
        {"enemy.png", 256, 64, 64, 64, 4, 4, Edges},
        {"projectiles.png", 128, 64, 64, 64, 2, 2, Edges},
        {"hud.png", 112, 16, 16, 16, 7, 7, Corners},
        {"arrow.png", 8, 8, 8, 8, 1, 1, Any},
        {"directions.png", 32, 8, 8, 8, 4, 4, Any},
        // 94 glyphs from "!" to "~"; the space and the cell past "~" are empty.
        {"font.png", 96, 64, 8, 8, 96, 95, Any},
        {"hud_font.png", 160, 16, 16, 16, 10, 10, Any},
    };
    for (const auto& sheet : sheets)
    {
        SCOPED_TRACE(sheet.name);
        const Picture picture(sheet.name);
        ASSERT_NE(picture.surface, nullptr);
        ASSERT_EQ(picture.surface->w, sheet.width);
        ASSERT_EQ(picture.surface->h, sheet.height);
        int opaque = 0;
        int blended = 0;
        picture.Cell({0, 0, sheet.width, sheet.height}, opaque, blended);
        EXPECT_EQ(blended, 0);
        EXPECT_EQ(opaque == sheet.width * sheet.height, sheet.ground == Opaque);
        std::set<std::vector<Uint32>> cells;
        for (int i = 0; i < sheet.cells; ++i)
        {
            const int left = i % (sheet.width / sheet.cellWidth) * sheet.cellWidth;
            const int top = i / (sheet.width / sheet.cellWidth) * sheet.cellHeight;
            const int right = left + sheet.cellWidth - 1;
            const int bottom = top + sheet.cellHeight - 1;
            cells.insert(
                picture.Cell({left, top, sheet.cellWidth, sheet.cellHeight}, opaque, blended));
            for (int along = 0; sheet.ground == Edges && along < sheet.cellWidth; ++along)
            {
                EXPECT_TRUE(picture.Clear(left, top + along) && picture.Clear(right, top + along) &&
                            picture.Clear(left + along, top))
                    << "cell " << i;
            }
            EXPECT_TRUE(sheet.ground != Corners ||
                        (picture.Clear(left, top) && picture.Clear(right, top) &&
                         picture.Clear(left, bottom) && picture.Clear(right, bottom)))
                << "cell " << i;
        }
        EXPECT_EQ(cells.size(), static_cast<std::size_t>(sheet.distinct));
    }
    // The hand is cut out, and its arm reaches the bottom edge of the screen.
    const Picture hand("hand.png");
    ASSERT_NE(hand.surface, nullptr);
    EXPECT_TRUE(hand.surface->w == 64 && hand.surface->h == 64);
    EXPECT_TRUE(hand.Clear(0, 0) && hand.Clear(63, 0) && !hand.Clear(32, 63));
}
