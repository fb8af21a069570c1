#include "core/game_paths.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const std::string SETTINGS_FILE = "ql3d.cfg";
const std::string SOURCE_DATA_FOLDER = "data/";
const std::string MAPS_FOLDER = "maps/";
// The game's own folder under each XDG base folder.
const std::string GAME_FOLDER = "quill3d";

std::string AsFolder(const fs::path& path)
{
    std::string text = path.lexically_normal().string();
    if (text.empty() || text.back() != '/')
    {
        text += '/';
    }
    return text;
}

fs::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
    {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

// An XDG base folder: the variable when it names an absolute path (the XDG
// rules say to ignore a relative one), else its default under the home folder.
fs::path XdgFolder(const char* variable, const char* defaultUnderHome)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && fs::path(value).is_absolute())
    {
        return value;
    }
    return HomeFolder() / defaultUnderHome;
}

// The folder of the running program, links resolved; empty when unknown.
fs::path ProgramFolder()
{
    const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), SDL_free);
    return base ? fs::path(base.get()) : fs::path();
}

// Creates a folder and the missing ones above it, private to the user as the
// XDG rules ask; true when it is there.
bool CreateFolder(const fs::path& folder)
{
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
    {
        return true;
    }
    if (!CreateFolder(folder.parent_path()))
    {
        return false;
    }
    if (fs::create_directory(folder, error))
    {
        fs::permissions(folder, fs::perms::owner_all, error);
        return true;
    }
    // Made meanwhile, or named with a final "/" after its parent was made.
    return fs::is_directory(folder, error);
}
} // namespace

GamePaths::GamePaths()
    : mDataFolder(SOURCE_DATA_FOLDER), mPlayerMapsFolder(SOURCE_DATA_FOLDER + MAPS_FOLDER)
{
}

GamePaths::GamePaths(const std::string& dataFolder, const std::string& settingsFolder,
                     const std::string& playerMapsFolder)
    : mDataFolder(AsFolder(dataFolder)), mSettingsFolder(AsFolder(settingsFolder)),
      mPlayerMapsFolder(AsFolder(playerMapsFolder)), mInstalled(true)
{
}

GamePaths GamePaths::ForThisProcess()
{
    std::error_code error;
    return fs::is_directory(SOURCE_DATA_FOLDER, error) ? GamePaths() : Installed();
}

GamePaths GamePaths::Installed()
{
    // QUILL_DATA_FROM_BINARY is where the build installs the data, relative
    // to where it installs the program, so any install prefix works.
    return GamePaths(
        (ProgramFolder() / QUILL_DATA_FROM_BINARY).string(),
        (XdgFolder("XDG_CONFIG_HOME", ".config") / GAME_FOLDER).string(),
        (XdgFolder("XDG_DATA_HOME", ".local/share") / GAME_FOLDER / MAPS_FOLDER).string());
}

std::string GamePaths::DataFile(const std::string& name) const
{
    return mDataFolder + name;
}

std::string GamePaths::SettingsFile() const
{
    return mSettingsFolder + SETTINGS_FILE;
}

std::string GamePaths::MapListFile() const
{
    return MapFile("map.cfg");
}

std::string GamePaths::MapFile(const std::string& name) const
{
    const std::string own = PlayerMapFile(name);
    std::error_code error;
    if (!mInstalled || fs::exists(own, error))
    {
        return own;
    }
    return DataFile(MAPS_FOLDER + name);
}

std::string GamePaths::PlayerMapFile(const std::string& name) const
{
    return mPlayerMapsFolder + name;
}

// The source tree's folders are its own: nothing is made there.
bool GamePaths::CreateSettingsFolder() const
{
    return !mInstalled || CreateFolder(mSettingsFolder);
}

bool GamePaths::CreatePlayerMapsFolder() const
{
    return !mInstalled || CreateFolder(mPlayerMapsFolder);
}
