#include "fuzz_target.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace
{
using Factory = std::unique_ptr<FuzzTarget> (*)(const FuzzOptions&);
const std::map<std::string, Factory> FACTORIES = {
    {"map_view", MakeMapViewTarget},     {"editor_map", MakeEditorMapTarget},
    {"high_score", MakeHighScoreTarget}, {"settings", MakeSettingsTarget},
    {"map_list", MakeMapListTarget},     {"sound_list", MakeSoundListTarget},
    {"music_list", MakeMusicListTarget},
};
} // namespace

std::vector<std::string> FuzzTargetNames()
{
    std::vector<std::string> names;
    for (const auto& [name, factory] : FACTORIES)
    {
        names.push_back(name);
    }
    return names;
}

std::string FuzzTarget::Run(const std::string& input)
{
    try
    {
        return Try(input);
    }
    catch (const std::exception& error)
    {
        return std::string("an exception escaped: ") + error.what();
    }
}

std::unique_ptr<FuzzTarget> MakeFuzzTarget(const std::string& name, const FuzzOptions& options)
{
    const auto found = FACTORIES.find(name);
    if (found == FACTORIES.end())
    {
        throw std::invalid_argument("no fuzz target called " + name);
    }
    return found->second(options);
}

namespace FuzzCheck
{
bool StartsWithAny(const std::string& message, const std::vector<std::string>& prefixes)
{
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&message](const std::string& prefix)
                       { return message.rfind(prefix, 0) == 0; });
}

std::uint64_t Seed(const std::string& input)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : input)
    {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    }
    return hash;
}

} // namespace FuzzCheck
