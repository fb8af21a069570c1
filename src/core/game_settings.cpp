#include "core/game_settings.h"

#include "core/utils.h"

#include <algorithm>
#include <sstream>
#include <vector>

void GameSettings::ReleaseAllKeys()
{
    for (KeyBinding& binding : mKeyBindings)
    {
        binding.mPressed = false;
    }
}

namespace
{
void ReadBindings(const std::vector<std::string>& pieces,
                  std::array<KeyBinding, KEY_ACTION_COUNT>& bindings)
{
    for (std::size_t i = 0; i < bindings.size() && i < pieces.size(); ++i)
    {
        bindings[i].mScancode = QuillUtils::StringToInt(pieces[i], 0);
        bindings[i].mPressed = false;
    }
}

void ReadInt(const std::vector<std::string>& pieces, std::size_t index, int& value)
{
    if (index < pieces.size())
    {
        value = QuillUtils::StringToInt(pieces[index], 0);
    }
}

// A value read and kept within its range, or the current one when missing.
void ReadLimited(const std::vector<std::string>& pieces, std::size_t index, int min, int max,
                 int& value)
{
    ReadInt(pieces, index, value);
    value = std::clamp(value, min, max);
}

void ReadBool(const std::vector<std::string>& pieces, std::size_t index, bool& value)
{
    if (index < pieces.size())
    {
        value = QuillUtils::StringToBool(pieces[index]);
    }
}
} // namespace

void GameSettings::Read(std::istream& input)
{
    std::string line;
    int counted = 0;
    while (std::getline(input, line))
    {
        const std::vector<std::string> pieces =
            QuillUtils::SplitAtSpaces(QuillUtils::StripCarriageReturn(line));
        if (pieces.empty())
        {
            continue;
        }
        ++counted;
        if (counted == 1)
        {
            ReadBindings(pieces, mKeyBindings);
        }
        else if (counted == 2)
        {
            ReadInt(pieces, 0, mSoundVolume);
            ReadInt(pieces, 1, mMusicVolume);
            ReadBool(pieces, 2, mFullscreen);
            ReadBool(pieces, 3, mVSync);
            ReadBool(pieces, 4, mSoundOn);
            ReadBool(pieces, 5, mMusicOn);
        }
        else if (counted == 3)
        {
            ReadBool(pieces, 0, mMouseTurning);
            ReadLimited(pieces, 1, MIN_MOUSE_SENSITIVITY, MAX_MOUSE_SENSITIVITY, mMouseSensitivity);
            ReadLimited(pieces, 2, MIN_PAD_DEAD_ZONE, MAX_PAD_DEAD_ZONE, mPadDeadZone);
        }
    }
}

std::string GameSettings::Format() const
{
    std::ostringstream text;
    for (std::size_t i = 0; i < mKeyBindings.size(); ++i)
    {
        text << (i == 0 ? "" : " ") << mKeyBindings[i].mScancode;
    }
    text << '\n'
         << mSoundVolume << ' ' << mMusicVolume << ' ' << mFullscreen << ' ' << mVSync << ' '
         << mSoundOn << ' ' << mMusicOn << '\n'
         << mMouseTurning << ' ' << mMouseSensitivity << ' ' << mPadDeadZone << '\n';
    return text.str();
}
