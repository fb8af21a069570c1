// The sound and music lists read at start-up: every name listed is loaded, and
// one that cannot be loaded stops the start with a message that says so.
#include "fuzz_target.h"

#include "core/audio_manager.h"
#include "core/utils.h"

#include <set>
#include <sstream>
#include <stdexcept>

namespace
{
const std::string SOUND_LIST = "data/sfx/sounds.cfg";
const std::string MUSIC_LIST = "data/music/music.cfg";
const std::vector<std::string> LOAD_MESSAGES = {"Couldn't load sound file: ",
                                                "Couldn't load music file: "};

// Every name a list can hold, as the audio manager splits it.
std::set<std::string> ListedNames(const std::string& list)
{
    std::set<std::string> names;
    std::istringstream lines(list);
    std::string line;
    while (std::getline(lines, line))
    {
        for (const std::string& name :
             QuillUtils::SplitAtSpaces(QuillUtils::StripCarriageReturn(line)))
        {
            names.insert(name);
        }
    }
    return names;
}

class AudioListTarget : public FuzzTarget
{
public:
    explicit AudioListTarget(bool soundList) : mSoundList(soundList)
    {
        if (!mAudio.Init(true, true, 64, 64))
        {
            throw std::runtime_error("no audio device for the fuzz harness: " +
                                     mAudio.GetLastError());
        }
    }

    std::string Try(const std::string& input) override
    {
        mAudio.mSounds.clear();
        mAudio.mMusic.clear();
        WriteWholeFile(SOUND_LIST, mSoundList ? input : "");
        WriteWholeFile(MUSIC_LIST, mSoundList ? "" : input);
        try
        {
            mAudio.LoadAllAudioFiles();
        }
        catch (const std::runtime_error& error)
        {
            if (!FuzzCheck::StartsWithAny(error.what(), LOAD_MESSAGES))
            {
                return std::string("unclear message for a bad list: ") + error.what();
            }
        }
        const std::set<std::string> listed = ListedNames(input);
        for (const auto& loaded : mSoundList ? mAudio.mSounds : mAudio.mMusic)
        {
            if (listed.count(loaded.first) == 0)
            {
                return "loaded \"" + loaded.first + "\", which the list does not name";
            }
        }
        return "";
    }

private:
    bool mSoundList;
    AudioManager mAudio;
};
} // namespace

std::unique_ptr<FuzzTarget> MakeSoundListTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<AudioListTarget>(true);
}

std::unique_ptr<FuzzTarget> MakeMusicListTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<AudioListTarget>(false);
}
