// Every input kept under tests/fuzz/<target>/ (the seeds and each input that
// ever failed) goes through the same harness the fuzzer uses.
#include "harness/fuzz_target.h"
#include "support/scratch_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
std::vector<fs::path> CorpusFiles(const std::string& target)
{
    std::vector<fs::path> files;
    const fs::path directory = fs::path(QUILL_FUZZ_CORPUS_DIR) / target;
    for (const auto& entry : fs::directory_iterator(directory))
    {
        if (entry.is_regular_file())
        {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Contents(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class FuzzCorpus : public ::testing::TestWithParam<std::string>
{
};
} // namespace

TEST_P(FuzzCorpus, EveryKeptInputIsHandled)
{
    UseHeadlessDrivers();
    const std::vector<fs::path> files = CorpusFiles(GetParam());
    ASSERT_FALSE(files.empty()) << "no seeds for " << GetParam();
    ScratchDir directory;
    directory.LinkGameData();
    const std::unique_ptr<FuzzTarget> target = MakeFuzzTarget(GetParam(), FuzzOptions{});
    for (const fs::path& file : files)
    {
        EXPECT_EQ(target->Run(Contents(file)), "") << file.filename();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(FuzzTargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info)
                         { return info.param; });
