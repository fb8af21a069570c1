#pragma once

#include "support/scratch_dir.h"

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
    // used the file, or refused it with one of its clear messages. An
    // exception that escapes the program is a fault too.
    std::string Run(const std::string& input);

protected:
    virtual std::string Try(const std::string& input) = 0;
};

// The names of the targets, which are also the corpus directories under tests/fuzz/.
std::vector<std::string> FuzzTargetNames();
// Throws std::invalid_argument for a name that is not a target.
std::unique_ptr<FuzzTarget> MakeFuzzTarget(const std::string& name, const FuzzOptions& options);

// The targets, one per file of the program.
std::unique_ptr<FuzzTarget> MakeMapViewTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeEditorMapTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeHighScoreTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeSettingsTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeMapListTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeSoundListTarget(const FuzzOptions& options);
std::unique_ptr<FuzzTarget> MakeMusicListTarget(const FuzzOptions& options);

// Helpers shared by the targets.
namespace FuzzCheck
{
// Whether a message starts with one of the prefixes.
bool StartsWithAny(const std::string& message, const std::vector<std::string>& prefixes);
// A 64-bit FNV-1a hash of the input, which seeds the randomness of a run.
std::uint64_t Seed(const std::string& input);
} // namespace FuzzCheck
