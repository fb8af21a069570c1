#include "scratch_directory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

ScratchDirectory::ScratchDirectory()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quill3d-bench-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr)
    {
        throw std::runtime_error("Couldn't make a scratch directory in " + pattern);
    }
    mPath = name.data();
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}
