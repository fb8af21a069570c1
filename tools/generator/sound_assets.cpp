#include "sound_assets.h"

#include "sound_effects.h"
#include "wav_writer.h"

#include <fstream>
#include <functional>
#include <stdexcept>
#include <vector>

namespace
{
struct SoundFile
{
    const char* name;
    std::function<std::vector<float>()> synthesise;
};

const std::vector<SoundFile>& SoundFiles()
{
    static const std::vector<SoundFile> files = {
        {"select.wav", SoundEffects::MenuSelect},    {"selected.wav", SoundEffects::MenuConfirm},
        {"back.wav", SoundEffects::MenuBack},        {"scroll.wav", SoundEffects::ScrollBlast},
        {"fire.wav", SoundEffects::FireballCast},    {"open_door.wav", SoundEffects::DoorOpen},
        {"close_door.wav", SoundEffects::DoorClose}, {"collision.wav", SoundEffects::FireballHit},
        {"nope.wav", SoundEffects::Refusal},         {"pick_up.wav", SoundEffects::PickUp},
        {"enemy_hit.wav", SoundEffects::EnemyHurt},  {"player_hit.wav", SoundEffects::PlayerHurt},
    };
    return files;
}
} // namespace

void WriteSounds(const std::string& directory)
{
    std::ofstream list(directory + "/sounds.cfg", std::ios::binary);
    if (!list)
    {
        throw std::runtime_error("Unable to write " + directory + "/sounds.cfg");
    }
    for (const SoundFile& file : SoundFiles())
    {
        WriteWav(directory + "/" + file.name, file.synthesise(), SoundEffects::SAMPLE_RATE);
        list << file.name << '\n';
    }
}
