#include "support/scratch_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::filesystem::path GameDataDir()
{
    return fs::path(QUILL_SOURCE_DIR) / "data";
}

std::filesystem::path TestDataDir()
{
    return fs::path(QUILL_TEST_DATA_DIR);
}

ScratchDir::ScratchDir() : mPrevious(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "quill3d-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
    {
        throw std::runtime_error("cannot create a scratch directory");
    }
    mPath = pattern;
    fs::current_path(mPath);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    // Only leave the directory if a newer scratch directory has not taken over.
    if (fs::current_path(ignored) == mPath)
    {
        fs::current_path(mPrevious, ignored);
    }
    fs::remove_all(mPath, ignored);
}

void ScratchDir::LinkGameData(const std::vector<std::string>& except) const
{
    const fs::path source = GameDataDir();
    for (const auto& entry : fs::recursive_directory_iterator(source))
    {
        const fs::path relative = fs::relative(entry.path(), source);
        const fs::path target = mPath / "data" / relative;
        if (entry.is_directory())
        {
            fs::create_directories(target);
            continue;
        }
        if (std::find(except.begin(), except.end(), relative.generic_string()) != except.end())
        {
            continue;
        }
        fs::create_directories(target.parent_path());
        // Saves follow links, so the maps a test may save over are copies.
        if (relative.begin()->string() == "maps")
        {
            fs::copy_file(entry.path(), target);
        }
        else
        {
            fs::create_symlink(entry.path(), target);
        }
    }
}

void ScratchDir::CopyGameData() const
{
    fs::copy(GameDataDir(), mPath / "data", fs::copy_options::recursive);
    fs::permissions(mPath, fs::perms::all);
}

void ScratchDir::WriteFile(const std::string& relativePath, const std::string& text) const
{
    WriteWholeFile(mPath / relativePath, text);
}

std::string ScratchDir::ReadFile(const std::string& relativePath) const
{
    return ReadWholeFile(mPath / relativePath);
}

bool ScratchDir::Exists(const std::string& relativePath) const
{
    return fs::exists(mPath / relativePath);
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& text)
{
    if (path.has_parent_path())
    {
        fs::create_directories(path.parent_path());
    }
    // A link (into the repository's data, say) is replaced, never written through.
    fs::remove(path);
    std::ofstream file(path, std::ios::binary);
    if (!(file << text))
    {
        throw std::runtime_error("a test cannot write " + path.string());
    }
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
