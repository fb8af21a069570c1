// The sound effects and music under data/sfx and data/music: every name the game plays
// is listed, every listed file loads, and the effects are normalised without clipping.

#include "campaign_maps.h"

#include "core/wrapper.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
// The names of a list file, split as the audio manager splits them: line by line, then
// at every single space.
std::vector<std::string> ReadAudioList(const fs::path& path)
{
    std::vector<std::string> names;
    std::istringstream lines(ReadTextFile(path));
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream pieces(line);
        std::string name;
        while (std::getline(pieces, name, ' '))
        {
            names.push_back(name);
        }
    }
    return names;
}

bool Lists(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Opens the mixer on the dummy audio driver for the life of the object.
class DummyMixer
{
public:
    DummyMixer()
    {
        UseHeadlessDrivers();
        mOpen = SDL_Init(SDL_INIT_AUDIO) == 0 &&
                Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
    }
    ~DummyMixer()
    {
        if (mOpen)
        {
            Mix_CloseAudio();
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    bool Open() const { return mOpen; }

private:
    bool mOpen = false;
};

std::uint32_t Little(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
    {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

struct WaveSummary
{
    bool pcm16 = false;
    int channels = 0;
    int rate = 0;
    int peak = 0; // largest sample magnitude
    std::size_t samples = 0;
};

// Reads a RIFF WAVE file's format and the peak of its 16-bit samples.
WaveSummary SummariseWave(const std::string& bytes)
{
    WaveSummary summary;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
    {
        return summary;
    }
    for (std::size_t at = 12; at + 8 <= bytes.size();)
    {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = Little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size())
        {
            break;
        }
        if (id == "fmt ")
        {
            summary.pcm16 = Little(bytes, body, 2) == 1 && Little(bytes, body + 14, 2) == 16;
            summary.channels = static_cast<int>(Little(bytes, body + 2, 2));
            summary.rate = static_cast<int>(Little(bytes, body + 4, 4));
        }
        else if (id == "data")
        {
            for (std::size_t s = body; s + 1 < body + size; s += 2)
            {
                const auto sample = static_cast<std::int16_t>(Little(bytes, s, 2));
                summary.peak = std::max(summary.peak, std::abs(static_cast<int>(sample)));
                ++summary.samples;
            }
        }
        at = body + size + (size & 1U);
    }
    return summary;
}
} // namespace

TEST(Audio, EverySoundTheGamePlaysIsListedAndLoads)
{
    const std::vector<std::string> sounds = ReadAudioList(GameDataDir() / "sfx" / "sounds.cfg");
    for (const char* name : {"select.wav", "selected.wav", "back.wav", "scroll.wav", "fire.wav",
                             "open_door.wav", "close_door.wav", "collision.wav", "nope.wav",
                             "pick_up.wav", "enemy_hit.wav", "player_hit.wav"})
    {
        EXPECT_TRUE(Lists(sounds, name)) << name << " is not in sounds.cfg";
    }
    const DummyMixer mixer;
    ASSERT_TRUE(mixer.Open()) << Mix_GetError();
    for (const std::string& name : sounds)
    {
        const fs::path path = GameDataDir() / "sfx" / name;
        Wrapper chunk(Mix_LoadWAV(path.string().c_str()));
        EXPECT_NE(chunk.Find<Mix_Chunk>(), nullptr) << name << ": " << Mix_GetError();
    }
}

TEST(Audio, EveryMusicTheGamePlaysIsListedAndLoads)
{
    const std::vector<std::string> tracks = ReadAudioList(GameDataDir() / "music" / "music.cfg");
    std::vector<std::string> wanted = {"title.ogg", "map_completed.ogg", "the_end.ogg"};
    for (const CampaignEntry& entry : ReadCampaignList(GameDataDir() / "maps" / "map.cfg"))
    {
        wanted.push_back(entry.musicFile);
    }
    for (const std::string& name : wanted)
    {
        EXPECT_TRUE(Lists(tracks, name)) << name << " is not in music.cfg";
    }
    const DummyMixer mixer;
    ASSERT_TRUE(mixer.Open()) << Mix_GetError();
    for (const std::string& name : tracks)
    {
        const fs::path path = GameDataDir() / "music" / name;
        Wrapper music(Mix_LoadMUS(path.string().c_str()));
        EXPECT_NE(music.Find<Mix_Music>(), nullptr) << name << ": " << Mix_GetError();
    }
}

// Every effect is 16-bit PCM at 44.1 kHz, peaks between -3 and -0.1 dB of full scale (as
// loud as the others, never clipped) and lasts less than two seconds.
TEST(Audio, EffectsAreNormalisedWithoutClipping)
{
    for (const std::string& name : ReadAudioList(GameDataDir() / "sfx" / "sounds.cfg"))
    {
        const WaveSummary wave = SummariseWave(ReadTextFile(GameDataDir() / "sfx" / name));
        SCOPED_TRACE(name);
        EXPECT_TRUE(wave.pcm16);
        EXPECT_EQ(wave.rate, 44100);
        ASSERT_GT(wave.channels, 0);
        EXPECT_GE(wave.peak, 23197); // -3 dB
        EXPECT_LE(wave.peak, 32393); // -0.1 dB
        EXPECT_LT(wave.samples / static_cast<std::size_t>(wave.channels), 2U * 44100U);
    }
}
