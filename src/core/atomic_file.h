#pragma once

#include <string>

// Replacing a file's content in one step. The text goes to a new temporary file
// beside the target, is flushed to the disk, and only then renamed over the
// target, so a crash, a kill, a full disk or a power cut at any moment leaves
// either the old file or the complete new one, never a mixture or a stub.
//
// A link is followed to the file it finally names, which is replaced there (the
// link stays a link). A file this user may not write is never replaced, and a
// replaced file keeps its permission bits and, where the process may, its owner.
// The temporary file gets a fresh unique name and is created exclusively, so
// nothing planted in the folder can redirect the write.
namespace AtomicFile
{
// False when any step fails; the target is then untouched and the temporary
// file removed.
bool Replace(const std::string& path, const std::string& text);

// The file a path finally names once every link on the way is followed: the
// path itself when it is no link. Empty when the links go round in a circle.
std::string FinalTarget(const std::string& path);
} // namespace AtomicFile
