#pragma once

#include "core/game_paths.h"
#include "core/wrapper.h"

#include <functional>
#include <map>
#include <string>
#include <utility>

// What the mixer was asked to play; handed to an observer (the tests listen).
struct SoundEvent
{
    std::string name;
    int left = 255;
    int right = 255;
    int volume = 0;
    bool directional = false;
};

// Left and right channel gains, 0 to 255.
struct StereoGains
{
    int left = 255;
    int right = 255;
};

// Opens the audio device, loads the listed effects and tracks, and plays them by
// file name. Until Init succeeds every operation does nothing, so the editor and
// a machine without sound simply stay silent.
class AudioManager
{
public:
    // The lists and files are read from the data folder of these paths.
    explicit AudioManager(GamePaths paths = GamePaths()) : mPaths(std::move(paths)) {}
    ~AudioManager();
    AudioManager(const AudioManager&) = delete;
    AudioManager& operator=(const AudioManager&) = delete;

    // False (with the reason in GetLastError) when there is no usable audio device.
    bool Init(bool soundOn, bool musicOn, int soundVolume, int musicVolume);
    // False when a list file cannot be opened; throws when a listed file cannot load.
    bool LoadAllAudioFiles();
    void LoadSound(const std::string& name);
    void LoadMusic(const std::string& name);

    void PlaySound(const std::string& name);
    // Positions in world units, the listener's facing in radians.
    void PlayDirectionalSound(const std::string& name, double listenerX, double listenerY,
                              double listenerAngle, double sourceX, double sourceY, double range);
    void PlayMusic(const std::string& name, bool fadeIn);
    void StopMusic(bool fadeOut);
    void StopSounds();

    void SetSoundVolume(int volume);
    void SetMusicVolume(int volume);
    // Loudness of a sound at a distance, capped by the sound volume.
    int CalculateVolume(double distance, double range) const;
    static double NormalizeAngle(double angle);
    // Stereo balance of a source relative to the listener's facing.
    static StereoGains CalculatePanning(double listenerX, double listenerY, double listenerAngle,
                                        double sourceX, double sourceY);
    // Distance in the scaled units that ranges are given in.
    static double ScaledDistance(double listenerX, double listenerY, double sourceX,
                                 double sourceY);

    void CleanUp();

    bool IsInitialized() const { return mInitialized; }
    bool HasSound(const std::string& name) const { return mSounds.count(name) != 0; }
    bool HasMusic(const std::string& name) const { return mMusic.count(name) != 0; }
    const std::string& GetLastError() const { return mLastError; }
    void SetObserver(std::function<void(const SoundEvent&)> observer)
    {
        mObserver = std::move(observer);
    }

    bool mInitialized = false;
    bool mSoundOn = false;
    bool mMusicOn = false;
    int mSoundVolume = 64;
    int mMusicVolume = 64;
    std::map<std::string, Wrapper> mSounds;
    std::map<std::string, Wrapper> mMusic;

private:
    // Loads every name of a list file; false when the file cannot be opened.
    bool LoadList(const std::string& listPath, void (AudioManager::*load)(const std::string&));
    void Notify(const SoundEvent& event) const;

    GamePaths mPaths;
    std::string mLastError;
    std::function<void(const SoundEvent&)> mObserver;
};
