#pragma once

#include <string>

// Replacing a file's content in one step. The text goes to a temporary file
// beside the target, is flushed to the disk, and only then renamed over the
// target, so a crash, a kill, a full disk or a power cut at any moment leaves
// either the old file or the complete new one, never a mixture or a stub.
namespace AtomicFile
{
// False when any step fails; the target is then untouched and the temporary
// file removed.
bool Replace(const std::string& path, const std::string& temporaryPath, const std::string& text);
} // namespace AtomicFile
