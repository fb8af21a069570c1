#include "core/atomic_file.h"

#include <filesystem>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace
{
#if defined(__unix__) || defined(__APPLE__)
bool WriteAll(int file, const std::string& text)
{
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0)
    {
        const ssize_t written = write(file, next, left);
        if (written < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The new name must reach the disk too, or a power cut could bring back the
// old file after the program has reported the save done.
void SyncDirectoryOf(const std::string& path)
{
    std::filesystem::path directory = std::filesystem::path(path).parent_path();
    if (directory.empty())
    {
        directory = ".";
    }
    const int handle = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0)
    {
        fsync(handle);
        close(handle);
    }
}

// Writes the temporary file; `created` tells whether there is one to clean up.
bool WriteDurably(const std::string& path, const std::string& text, bool& created)
{
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    created = file >= 0;
    if (!created)
    {
        return false;
    }
    // Without the sync a rename can reach the disk before the data does, and
    // a power cut then leaves an empty file where the old one was.
    const bool written = WriteAll(file, text) && fsync(file) == 0;
    return close(file) == 0 && written;
}
#else
bool WriteDurably(const std::string& path, const std::string& text, bool& created)
{
    std::ofstream file(path, std::ios::trunc);
    created = static_cast<bool>(file);
    file << text;
    file.flush();
    file.close();
    return !file.fail();
}

void SyncDirectoryOf(const std::string&) {}
#endif
} // namespace

namespace AtomicFile
{
bool Replace(const std::string& path, const std::string& temporaryPath, const std::string& text)
{
    std::error_code ignored;
    bool created = false;
    if (!WriteDurably(temporaryPath, text, created))
    {
        if (created)
        {
            std::filesystem::remove(temporaryPath, ignored);
        }
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(temporaryPath, path, renamed);
    if (renamed)
    {
        std::filesystem::remove(temporaryPath, ignored);
        return false;
    }
    SyncDirectoryOf(path);
    return true;
}
} // namespace AtomicFile
