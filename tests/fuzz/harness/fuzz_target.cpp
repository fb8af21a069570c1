#include "fuzz_target.h"

#include <cxxabi.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <typeinfo>

namespace
{
using Factory = std::function<std::unique_ptr<FuzzTarget>(const FuzzOptions&)>;

const std::map<std::string, Factory>& Factories()
{
    static const std::map<std::string, Factory> factories = {
        {"map_view", MakeMapViewTarget},
        {"editor_map", [](const FuzzOptions&) { return MakeEditorMapTarget(); }},
        {"high_score", [](const FuzzOptions&) { return MakeHighScoreTarget(); }},
        {"settings", [](const FuzzOptions&) { return MakeSettingsTarget(); }},
        {"map_list", [](const FuzzOptions&) { return MakeMapListTarget(); }},
        {"sound_list", [](const FuzzOptions&) { return MakeSoundListTarget(); }},
        {"music_list", [](const FuzzOptions&) { return MakeMusicListTarget(); }},
    };
    return factories;
}

std::string TypeName(const std::type_info& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    const std::string readable = status == 0 && name != nullptr ? name : type.name();
    std::free(name);
    return readable;
}
} // namespace

const std::vector<std::string>& FuzzTargetNames()
{
    static const std::vector<std::string> names = []
    {
        std::vector<std::string> list;
        for (const auto& [name, factory] : Factories())
        {
            list.push_back(name);
        }
        return list;
    }();
    return names;
}

std::unique_ptr<FuzzTarget> MakeFuzzTarget(const std::string& name, const FuzzOptions& options)
{
    const auto found = Factories().find(name);
    if (found == Factories().end())
    {
        throw std::invalid_argument("no fuzz target called " + name);
    }
    return found->second(options);
}

namespace FuzzCheck
{
void WriteFile(const std::string& path, const std::string& text)
{
    const std::filesystem::path target(path);
    if (target.has_parent_path())
    {
        std::filesystem::create_directories(target.parent_path());
    }
    // The scratch data links to the repository's files: a link is replaced,
    // never written through.
    std::filesystem::remove(target);
    std::ofstream file(target, std::ios::binary);
    file << text;
    if (!file)
    {
        throw std::runtime_error("the fuzz harness cannot write " + path);
    }
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool StartsWithAny(const std::string& message, const std::vector<std::string>& prefixes)
{
    for (const std::string& prefix : prefixes)
    {
        if (message.rfind(prefix, 0) == 0)
        {
            return true;
        }
    }
    return false;
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

std::string Unexpected(const std::exception& error)
{
    return "exception of type " + TypeName(typeid(error)) + ": " + error.what();
}
} // namespace FuzzCheck
