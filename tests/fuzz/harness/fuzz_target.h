#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How a harness runs: inside the fuzzer it also watches the clock, so a view
// or a turn that takes too long counts as a hang. The test suite replays the
// kept inputs without timing anything.
struct FuzzOptions
{
    bool watchTime = false;
};

// One kind of file the program reads, fed with arbitrary bytes. The harness
// expects the working directory to be a private scratch directory with the
// game's data linked in (FuzzWorkspace below) and writes the input where the
// program looks for it.
class FuzzTarget
{
public:
    virtual ~FuzzTarget() = default;
    // What went wrong with the input; empty when the program did what it must:
    // used the file, or refused it with one of its clear messages.
    virtual std::string Run(const std::string& input) = 0;
};

// The names of the targets, which are also the corpus directories under tests/fuzz/.
const std::vector<std::string>& FuzzTargetNames();
// Throws std::invalid_argument for a name that is not a target.
std::unique_ptr<FuzzTarget> MakeFuzzTarget(const std::string& name, const FuzzOptions& options);

// The targets, one per file of the program.
std::unique_ptr<FuzzTarget> MakeMapViewTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeEditorMapTarget();
std::unique_ptr<FuzzTarget> MakeHighScoreTarget();
std::unique_ptr<FuzzTarget> MakeSettingsTarget();
std::unique_ptr<FuzzTarget> MakeMapListTarget();
std::unique_ptr<FuzzTarget> MakeSoundListTarget();
std::unique_ptr<FuzzTarget> MakeMusicListTarget();

// Helpers shared by the targets.
namespace FuzzCheck
{
// Replaces a file of the working directory (never writing through a link
// into the repository's data).
void WriteFile(const std::string& path, const std::string& text);
std::string ReadFile(const std::string& path);
// Whether a message starts with one of the prefixes.
bool StartsWithAny(const std::string& message, const std::vector<std::string>& prefixes);
// A 64-bit FNV-1a hash of the input, which seeds the randomness of a run.
std::uint64_t Seed(const std::string& input);
// "exception of type T: what" for an exception that must not have happened.
std::string Unexpected(const std::exception& error);
} // namespace FuzzCheck
