#include "core/audio_manager.h"

#include "core/utils.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace
{
constexpr int MAX_VOLUME = 128;
constexpr int CHANNELS = 16;

int ClampVolume(int volume)
{
    return std::clamp(volume, 0, MAX_VOLUME);
}

// SDL's text alone does not say which listed file failed, and for a missing
// one it speaks of its own internals; the message names the file and why.
std::runtime_error LoadError(const std::string& prefix, const std::string& path)
{
    const std::string reason = std::ifstream(path) ? SDL_GetError() : "the file cannot be opened";
    return std::runtime_error(prefix + path + " (" + reason + ")");
}
} // namespace

AudioManager::~AudioManager()
{
    CleanUp();
}

bool AudioManager::Init(bool soundOn, bool musicOn, int soundVolume, int musicVolume)
{
    // The switches and volumes are kept even without a device, so the options
    // show (and the settings keep) what the player chose.
    mSoundOn = soundOn;
    mMusicOn = musicOn;
    mSoundVolume = ClampVolume(soundVolume);
    mMusicVolume = ClampVolume(musicVolume);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
    {
        mLastError = std::string("Unable to initialize SDL sub system: ") + SDL_GetError();
        return false;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) < 0)
    {
        mLastError = std::string("Unable to initialize SDL mixer: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(CHANNELS);
    mInitialized = true;
    Mix_Volume(-1, mSoundVolume);
    Mix_VolumeMusic(mMusicVolume);
    return true;
}

bool AudioManager::LoadList(const std::string& listPath,
                            void (AudioManager::*load)(const std::string&))
{
    std::ifstream list(listPath);
    if (!list)
    {
        return false;
    }
    std::string line;
    while (std::getline(list, line))
    {
        for (const std::string& name :
             QuillUtils::SplitAtSpaces(QuillUtils::StripCarriageReturn(line)))
        {
            (this->*load)(name);
        }
    }
    return true;
}

bool AudioManager::LoadAllAudioFiles()
{
    return LoadList(mPaths.DataFile("sfx/sounds.cfg"), &AudioManager::LoadSound) &&
           LoadList(mPaths.DataFile("music/music.cfg"), &AudioManager::LoadMusic);
}

void AudioManager::LoadSound(const std::string& name)
{
    if (!mInitialized)
    {
        return;
    }
    const std::string path = mPaths.DataFile("sfx/" + name);
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk == nullptr)
    {
        throw LoadError("Couldn't load sound file: ", path);
    }
    Wrapper sound(chunk);
    mSounds.emplace(name, std::move(sound));
}

void AudioManager::LoadMusic(const std::string& name)
{
    if (!mInitialized)
    {
        return;
    }
    const std::string path = mPaths.DataFile("music/" + name);
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr)
    {
        throw LoadError("Couldn't load music file: ", path);
    }
    Wrapper track(music);
    mMusic.emplace(name, std::move(track));
}

void AudioManager::Notify(const SoundEvent& event) const
{
    if (mObserver)
    {
        mObserver(event);
    }
}

void AudioManager::PlaySound(const std::string& name)
{
    if (!mInitialized || !mSoundOn)
    {
        return;
    }
    const auto found = mSounds.find(name);
    if (found == mSounds.end())
    {
        return;
    }
    Notify({name, 255, 255, mSoundVolume, false});
    const int channel = Mix_PlayChannel(-1, found->second.Get<Mix_Chunk>(), 0);
    if (channel != -1)
    {
        // Undo the balance a directional sound may have left on this channel.
        Mix_SetPanning(channel, 255, 255);
        Mix_Volume(channel, mSoundVolume);
    }
}

double AudioManager::ScaledDistance(double listenerX, double listenerY, double sourceX,
                                    double sourceY)
{
    const double dx = (sourceX - listenerX) * QuillUtils::DEGREES_TO_RADIANS;
    const double dy = (sourceY - listenerY) * QuillUtils::DEGREES_TO_RADIANS;
    return std::sqrt(dx * dx + dy * dy);
}

StereoGains AudioManager::CalculatePanning(double listenerX, double listenerY, double listenerAngle,
                                           double sourceX, double sourceY)
{
    const double dx = (sourceX - listenerX) * QuillUtils::DEGREES_TO_RADIANS;
    const double dy = (sourceY - listenerY) * QuillUtils::DEGREES_TO_RADIANS;
    StereoGains gains;
    if (dx == 0 && dy == 0)
    {
        // A sound where the listener stands comes from no side.
        return gains;
    }
    const double pan = NormalizeAngle(std::atan2(dy, dx) - listenerAngle) / QuillUtils::PI;
    if (pan > 0)
    {
        gains.left = static_cast<int>((1 - pan) * 255);
    }
    else if (pan < 0)
    {
        gains.right = static_cast<int>((1 + pan) * 255);
    }
    return gains;
}

void AudioManager::PlayDirectionalSound(const std::string& name, double listenerX, double listenerY,
                                        double listenerAngle, double sourceX, double sourceY,
                                        double range)
{
    if (!mInitialized || !mSoundOn)
    {
        return;
    }
    const auto found = mSounds.find(name);
    if (found == mSounds.end())
    {
        return;
    }
    const double distance = std::min(ScaledDistance(listenerX, listenerY, sourceX, sourceY), range);
    const StereoGains gains =
        CalculatePanning(listenerX, listenerY, listenerAngle, sourceX, sourceY);
    const int volume = CalculateVolume(distance, range);
    Notify({name, gains.left, gains.right, volume, true});
    const int channel = Mix_PlayChannel(-1, found->second.Get<Mix_Chunk>(), 0);
    if (channel != -1)
    {
        Mix_SetPanning(channel, static_cast<Uint8>(gains.left), static_cast<Uint8>(gains.right));
        Mix_Volume(channel, volume);
    }
}

int AudioManager::CalculateVolume(double distance, double range) const
{
    const double loudness = 1 - distance / range;
    const int volume = loudness > 0 ? static_cast<int>(loudness * MAX_VOLUME) : 0;
    return std::min(volume, mSoundVolume);
}

double AudioManager::NormalizeAngle(double angle)
{
    if (angle > QuillUtils::PI)
    {
        angle -= 2 * QuillUtils::PI;
    }
    else if (angle < -QuillUtils::PI)
    {
        angle += 2 * QuillUtils::PI;
    }
    return angle;
}

void AudioManager::PlayMusic(const std::string& name, bool fadeIn)
{
    if (!mInitialized || !mMusicOn)
    {
        return;
    }
    Mix_HaltMusic();
    const auto found = mMusic.find(name);
    if (found == mMusic.end())
    {
        return;
    }
    Mix_Music* music = found->second.Get<Mix_Music>();
    if (fadeIn)
    {
        Mix_FadeInMusic(music, -1, 3000);
    }
    else
    {
        Mix_PlayMusic(music, -1);
    }
}

void AudioManager::StopMusic(bool fadeOut)
{
    if (!mInitialized)
    {
        return;
    }
    if (!fadeOut)
    {
        Mix_HaltMusic();
        return;
    }
    while (Mix_FadeOutMusic(3000) == 0 && Mix_PlayingMusic() != 0)
    {
        SDL_Delay(100);
    }
}

void AudioManager::StopSounds()
{
    if (mInitialized)
    {
        Mix_HaltChannel(-1);
    }
}

void AudioManager::SetSoundVolume(int volume)
{
    if (mInitialized)
    {
        mSoundVolume = ClampVolume(volume);
        Mix_Volume(-1, mSoundVolume);
    }
}

void AudioManager::SetMusicVolume(int volume)
{
    if (mInitialized)
    {
        mMusicVolume = ClampVolume(volume);
        Mix_VolumeMusic(mMusicVolume);
    }
}

void AudioManager::CleanUp()
{
    if (!mInitialized)
    {
        return;
    }
    Mix_HaltChannel(-1);
    mSounds.clear();
    Mix_HaltMusic();
    mMusic.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mInitialized = false;
}
