#include "core/atomic_file.h"

#include <filesystem>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace fs = std::filesystem;

namespace
{
// As many links in a row as the system itself follows before it gives up.
constexpr int MAX_LINKS = 40;

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

std::string FolderOf(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// The new name must reach the disk too, or a power cut could bring back the
// old file after the program has reported the save done.
void SyncFolderOf(const std::string& path)
{
    const int handle = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0)
    {
        fsync(handle);
        close(handle);
    }
}

// What the replaced file must look like to its users: the old file's mode and
// owner, or for a new file what creating it plainly would have given.
struct FileLooks
{
    mode_t mode = 0;
    bool keepOwner = false;
    uid_t owner = 0;
    gid_t group = 0;
};

mode_t NewFileMode()
{
    // The only way to read the mask is to set it; nothing else runs meanwhile.
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// False when the target is there but may not be replaced: not a plain file, or
// not writable by this user (a rename only needs the folder to be writable).
bool LooksOfTarget(const std::string& target, FileLooks& looks)
{
    struct stat status
    {
    };
    if (stat(target.c_str(), &status) != 0)
    {
        if (errno != ENOENT)
        {
            return false;
        }
        looks.mode = NewFileMode();
        return true;
    }
    if (!S_ISREG(status.st_mode) || access(target.c_str(), W_OK) != 0)
    {
        return false;
    }
    looks.mode = status.st_mode & 07777;
    looks.keepOwner = true;
    looks.owner = status.st_uid;
    looks.group = status.st_gid;
    return true;
}

// Creates the temporary file under a unique name beside the target, exclusively
// (a name that exists already, link or not, is never opened), and writes the
// text durably. Returns the open file, or -1 with nothing left behind.
int WriteTemporary(const std::string& target, const FileLooks& looks, const std::string& text,
                   std::string& temporaryPath)
{
    std::string name = target + ".tmp-XXXXXX";
    const int file = mkostemp(name.data(), O_CLOEXEC);
    if (file < 0)
    {
        return -1;
    }
    temporaryPath = name;
    // Without the sync a rename can reach the disk before the data does, and
    // a power cut then leaves an empty file where the old one was.
    bool written = fchmod(file, looks.mode) == 0 && WriteAll(file, text) && fsync(file) == 0;
    if (written && looks.keepOwner)
    {
        // Only the owner's own or a privileged process may give the file away;
        // otherwise the new file is ours, which is all we can do.
        const int ignored = fchown(file, looks.owner, looks.group);
        static_cast<void>(ignored);
    }
    if (!written)
    {
        close(file);
        unlink(name.c_str());
        return -1;
    }
    return file;
}

bool ReplaceFinalTarget(const std::string& target, const std::string& text)
{
    FileLooks looks;
    if (!LooksOfTarget(target, looks))
    {
        return false;
    }
    std::string temporaryPath;
    const int file = WriteTemporary(target, looks, text, temporaryPath);
    if (file < 0)
    {
        return false;
    }
    if (close(file) != 0 || rename(temporaryPath.c_str(), target.c_str()) != 0)
    {
        unlink(temporaryPath.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}
#else
bool ReplaceFinalTarget(const std::string& target, const std::string& text)
{
    const std::string temporaryPath = target + ".tmp";
    std::error_code ignored;
    {
        std::ofstream file(temporaryPath, std::ios::trunc | std::ios::binary);
        file << text;
        file.close();
        if (file.fail())
        {
            fs::remove(temporaryPath, ignored);
            return false;
        }
    }
    std::error_code renamed;
    fs::rename(temporaryPath, target, renamed);
    if (renamed)
    {
        fs::remove(temporaryPath, ignored);
        return false;
    }
    return true;
}
#endif
} // namespace

namespace AtomicFile
{
std::string FinalTarget(const std::string& path)
{
    fs::path current = path;
    for (int hop = 0; hop <= MAX_LINKS; ++hop)
    {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
        {
            return current.string();
        }
        const fs::path next = fs::read_symlink(current, error);
        if (error)
        {
            return {};
        }
        // A relative link is read from the folder the link lies in.
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return {};
}

bool Replace(const std::string& path, const std::string& text)
{
    const std::string target = FinalTarget(path);
    return !target.empty() && ReplaceFinalTarget(target, text);
}
} // namespace AtomicFile
