#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh temporary directory that becomes the working directory for the
// lifetime of the object, so the settings file and map saves of a test never
// touch the repository. Removed again on destruction.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

    // Links every file of the game's data/ into ./data, except the listed
    // paths relative to data/ (for example "gfx/hud.png" or "maps/map.cfg").
    // The maps are copied: a save through a link would reach the repository.
    void LinkGameData(const std::vector<std::string>& except = {}) const;
    // Copies data/ instead, readable by every user, for a test that plays as
    // another user who may not read the repository.
    void CopyGameData() const;
    // Writes a text file relative to the directory, creating its folders.
    void WriteFile(const std::string& relativePath, const std::string& text) const;
    std::string ReadFile(const std::string& relativePath) const;
    bool Exists(const std::string& relativePath) const;

private:
    std::filesystem::path mPath;
    std::filesystem::path mPrevious;
};

// The repository's data directory and the tests' own data.
std::filesystem::path GameDataDir();
std::filesystem::path TestDataDir();

// A whole file, read as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);
// Writes a file in place of what was there (a link too), creating its folders.
void WriteWholeFile(const std::filesystem::path& path, const std::string& text);
