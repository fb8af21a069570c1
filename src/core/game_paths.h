#pragma once

#include <string>

// Where the game reads its data and keeps the player's files, in one of two
// layouts. Started from a folder that holds data/ (the source tree, as
// play.sh does), everything is relative to that folder: data/..., the
// settings in ql3d.cfg, the editor's maps in data/maps/. Anywhere else the
// game is installed: its data lies beside the program (the installed share
// folder, which may be read-only and is never written), and the player's
// settings and maps live in the XDG folders of the home directory.
class GamePaths
{
public:
    // The source tree's layout.
    GamePaths();
    // An installed game's layout: its data folder, the folder of the player's
    // settings and the folder of the player's maps.
    GamePaths(const std::string& dataFolder, const std::string& settingsFolder,
              const std::string& playerMapsFolder);

    // The layout this process runs in: the source tree's when the working
    // folder holds data/, else Installed().
    static GamePaths ForThisProcess();
    // The installed layout, found from the program's own folder and from
    // HOME, XDG_CONFIG_HOME and XDG_DATA_HOME.
    static GamePaths Installed();

    bool IsInstalled() const { return mInstalled; }
    // A file of the game's data, named as under data/ ("gfx/font.png").
    std::string DataFile(const std::string& name) const;
    std::string SettingsFile() const;
    // The player's own map list when there is one; it replaces the game's.
    std::string MapListFile() const;
    // A map to read: the player's map of that name when there is one, else
    // the game's.
    std::string MapFile(const std::string& name) const;
    // Where the editor writes a map of that name: among the player's maps.
    std::string PlayerMapFile(const std::string& name) const;
    const std::string& DataFolder() const { return mDataFolder; }
    const std::string& PlayerMapsFolder() const { return mPlayerMapsFolder; }

    // Create the player's folders when they are first needed; false when
    // that fails, which the caller reports as the failed write it is.
    bool CreateSettingsFolder() const;
    bool CreatePlayerMapsFolder() const;

private:
    // Each ends in "/" (or is empty: the working folder itself).
    std::string mDataFolder;
    std::string mSettingsFolder;
    std::string mPlayerMapsFolder;
    bool mInstalled = false;
};
