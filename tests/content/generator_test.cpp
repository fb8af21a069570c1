// The asset generator is the source of every picture, sound and track under data/: run
// afresh, it must write exactly the committed files.

#include "campaign_maps.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace fs = std::filesystem;

namespace
{
std::set<std::string> FilesIn(const fs::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
    {
        names.insert(entry.path().filename().string());
    }
    return names;
}
} // namespace

TEST(Generator, ReproducesTheCommittedDataByteForByte)
{
    const ScratchDir scratch;
    const fs::path output = scratch.Path() / "generated";
    const std::string command =
        std::string("\"") + QUILL_GENERATOR + "\" --out \"" + output.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* folder : {"gfx", "sfx", "music", "icons"})
    {
        const std::set<std::string> generated = FilesIn(output / folder);
        EXPECT_EQ(generated, FilesIn(GameDataDir() / folder)) << folder;
        for (const std::string& name : generated)
        {
            const fs::path committed = GameDataDir() / folder / name;
            ASSERT_TRUE(fs::exists(committed)) << committed;
            EXPECT_TRUE(ReadTextFile(output / folder / name) == ReadTextFile(committed))
                << folder << "/" << name << " differs from what the generator writes";
        }
    }
}
