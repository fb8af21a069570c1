#include "core/audio_manager.h"
#include "core/utils.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(AudioArithmetic, VolumeFallsWithDistanceAndIsCapped)
{
    AudioManager audio;
    const std::tuple<int, double, int> cases[] = {{128, 0.0, 128}, {128, 6.0, 64}, {128, 12.0, 0},
                                                  {128, 20.0, 0},  {40, 0.0, 40},  {40, 9.0, 32}};
    for (auto [soundVolume, distance, volume] : cases)
    {
        audio.mSoundVolume = soundVolume;
        EXPECT_EQ(audio.CalculateVolume(distance, 12.0), volume) << soundVolume << " " << distance;
    }
    // A range of 12 reaches about 687.5 world units.
    EXPECT_NEAR(AudioManager::ScaledDistance(0, 0, 687.5494, 0), 12.0, 1e-4);
    EXPECT_DOUBLE_EQ(AudioManager::ScaledDistance(5, 5, 5, 5), 0.0);
}

TEST(AudioArithmetic, PanningFollowsTheListenersFacing)
{
    const double turn = 2 * QuillUtils::PI;
    // Facing +x, a source at +y (clockwise, to the right on the map) is heard
    // on the right only; ahead or where the listener stands, on both sides.
    const struct
    {
        double x, y, angle, sourceX, sourceY;
        int left, right;
    } cases[] = {{0, 0, 0, 100, 0, 255, 255},    {10, 10, 1.0, 10, 10, 255, 255},
                 {0, 0, 0, 0, 100, 127, 255},    {0, 0, 0, 0, -100, 255, 127},
                 {0, 0, turn, 0, 100, 127, 255}, {0, 0, -turn, 0, -100, 255, 127}};
    for (const auto& c : cases)
    {
        const StereoGains gains =
            AudioManager::CalculatePanning(c.x, c.y, c.angle, c.sourceX, c.sourceY);
        EXPECT_EQ(gains.left, c.left) << &c - cases;
        EXPECT_EQ(gains.right, c.right) << &c - cases;
    }
    // Exactly behind: one side is silent.
    const StereoGains behind = AudioManager::CalculatePanning(0, 0, 0, -100, 0);
    EXPECT_EQ(std::min(behind.left, behind.right), 0);
    EXPECT_EQ(behind.left + behind.right, 255);
}
