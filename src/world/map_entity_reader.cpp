#include "world/map_entity_reader.h"

#include "core/utils.h"

#include <sstream>

namespace
{
std::string FirstWord(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    words >> word;
    return word;
}
} // namespace

bool MapEntityReader::ReadLine(const std::string& rawLine)
{
    const std::string line = QuillUtils::StripCarriageReturn(rawLine);
    if (line.empty())
    {
        return false;
    }
    const std::size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    if (key == "Type")
    {
        mPending.name = FirstWord(value);
    }
    else if (key == "Angle")
    {
        mPending.angle = FirstWord(value);
    }
    else if (key == "X")
    {
        // Anything but a number leaves the cell unset, so the entity never completes.
        mPending.x = QuillUtils::StringToInt(value, -1);
    }
    else if (key == "Y")
    {
        mPending.y = QuillUtils::StringToInt(value, -1);
    }
    else
    {
        return false;
    }
    if (!IsComplete())
    {
        return false;
    }
    mCompleted = mPending;
    mPending = MapEntityRecord{};
    return true;
}

bool MapEntityReader::IsComplete() const
{
    return mPending.x >= 0 && mPending.y >= 0 && !mPending.name.empty() && !mPending.angle.empty();
}
