// Every input kept under tests/fuzz/<target>/ (the seeds and each input that
// ever failed) goes through the same harness the fuzzer uses.
#include "harness/fuzz_target.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{
class FuzzCorpus : public ::testing::TestWithParam<std::string>
{
};
} // namespace

TEST_P(FuzzCorpus, EveryKeptInputIsHandled)
{
    UseHeadlessDrivers();
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILL_FUZZ_CORPUS_DIR) / GetParam()))
    {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no seeds for " << GetParam();
    ScratchDir directory;
    directory.LinkGameData();
    const std::unique_ptr<FuzzTarget> target = MakeFuzzTarget(GetParam(), FuzzOptions{});
    for (const fs::path& file : files)
    {
        EXPECT_EQ(target->Run(ReadWholeFile(file)), "") << file.filename();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(FuzzTargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info)
                         { return info.param; });
