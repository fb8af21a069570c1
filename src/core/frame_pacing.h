#pragma once

#include <cstdint>

// One pass of the main loop lasts at least 33 ms (about 30 frames a second).
constexpr std::uint32_t FRAME_DURATION_MS = 33;

// What the pacing step does at the end of a pass: the measured duration of the
// pass, and how long to sleep before the next one (0 for a pass of 33 ms or more).
struct FramePacing
{
    int frameTime = 0;
    std::uint32_t sleepMs = 0;
};

inline FramePacing ComputeFramePacing(std::uint32_t lastTicks, std::uint32_t now)
{
    FramePacing pacing;
    pacing.frameTime = static_cast<int>(now - lastTicks);
    if (pacing.frameTime < static_cast<int>(FRAME_DURATION_MS))
    {
        pacing.sleepMs = FRAME_DURATION_MS - static_cast<std::uint32_t>(pacing.frameTime);
    }
    return pacing;
}

// A frame that took 33 seconds or more (a machine woken from sleep, a program
// stopped in a debugger) does not step the flashes, blinking texts and
// guards, which would otherwise jump. The hand and the editor's cursor still
// step on a frame of exactly the limit.
constexpr int SLOW_FRAME_MS = 33000;
inline bool IsSlowFrame(int frameTime, bool limitCounts = true)
{
    return limitCounts ? frameTime >= SLOW_FRAME_MS : frameTime > SLOW_FRAME_MS;
}
