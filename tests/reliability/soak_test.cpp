// Long sessions: the real game and the real editor under seeded random input.
// The suite runs a short soak; soak.sh runs the long one (QUILL_SOAK_FRAMES,
// QUILL_SOAK_EVENTS, QUILL_SOAK_SEED), and the seed a failure names replays it.
#include "editor_monkey.h"
#include "game_monkey.h"

#include <gtest/gtest.h>

#include <iostream>

namespace
{
constexpr long SHORT_GAME_FRAMES = 3000;
constexpr long SHORT_EDITOR_EVENTS = 2000;
constexpr long DEFAULT_SEED = 20240611;
// Runs this long have warmed up by 10 %, so their memory must stay flat after.
constexpr long FLAT_MEMORY_STEPS = 10000;
constexpr long FLAT_MEMORY_SLACK_KB = 8 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool ADDRESS_SANITIZER = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool ADDRESS_SANITIZER = true;
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif
#else
constexpr bool ADDRESS_SANITIZER = false;
#endif

void ExpectFlatMemory(const SoakReport& report)
{
    // The address sanitizer holds freed memory back in quarantine, so its
    // figures grow on their own; there LeakSanitizer watches for leaks instead.
    if (ADDRESS_SANITIZER || report.steps < FLAT_MEMORY_STEPS)
    {
        return;
    }
    EXPECT_LE(report.atEnd.peakKb,
              report.atTenth.peakKb + report.atTenth.peakKb / 10 + FLAT_MEMORY_SLACK_KB)
        << report.Text();
}
} // namespace

TEST(Soak, TheGameSurvivesRandomPlay)
{
    const long frames = SoakSetting("QUILL_SOAK_FRAMES", SHORT_GAME_FRAMES);
    GameMonkey monkey(static_cast<std::uint64_t>(SoakSetting("QUILL_SOAK_SEED", DEFAULT_SEED)));
    const SoakReport report = monkey.Run(frames);
    std::cout << report.Text() << std::endl;
    EXPECT_EQ(report.steps, frames);
    EXPECT_GT(report.CountOf("new games"), 0) << report.Text();
    ExpectFlatMemory(report);
}

TEST(Soak, TheEditorSurvivesRandomEditing)
{
    const long events = SoakSetting("QUILL_SOAK_EVENTS", SHORT_EDITOR_EVENTS);
    EditorMonkey monkey(static_cast<std::uint64_t>(SoakSetting("QUILL_SOAK_SEED", DEFAULT_SEED)));
    const SoakReport report = monkey.Run(events);
    std::cout << report.Text() << std::endl;
    EXPECT_EQ(report.steps, events);
    EXPECT_GT(report.CountOf("saves"), 0) << report.Text();
    ExpectFlatMemory(report);
}
