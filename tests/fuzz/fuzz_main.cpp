// The libFuzzer entry of one target (QUILL_FUZZ_TARGET): every input goes
// through the same harness the test suite replays the kept inputs with. A
// problem the harness finds aborts, so libFuzzer keeps the input.
#include "harness/fuzz_target.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
// The fuzzer calls in through plain functions, so the harness and its
// scratch directory live as long as the process.
struct FuzzSession
{
    FuzzSession()
    {
        UseHeadlessDrivers();
        directory.LinkGameData();
        target = MakeFuzzTarget(QUILL_FUZZ_TARGET, FuzzOptions{true});
    }

    ScratchDir directory;
    std::unique_ptr<FuzzTarget> target;
};

FuzzSession& Session()
{
    static FuzzSession session;
    return session;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string problem =
        Session().target->Run(std::string(reinterpret_cast<const char*>(data), size));
    if (!problem.empty())
    {
        std::fprintf(stderr, "\n%s: %s\n", QUILL_FUZZ_TARGET, problem.c_str());
        std::abort();
    }
    return 0;
}
