#include "core/audio_manager.h"
#include "core/utils.h"

#include <gtest/gtest.h>

TEST(AudioArithmetic, VolumeFallsWithDistanceAndIsCapped)
{
    AudioManager audio;
    audio.mSoundVolume = 128;
    EXPECT_EQ(audio.CalculateVolume(0.0, 12.0), 128);
    EXPECT_EQ(audio.CalculateVolume(6.0, 12.0), 64);
    EXPECT_EQ(audio.CalculateVolume(12.0, 12.0), 0);
    EXPECT_EQ(audio.CalculateVolume(20.0, 12.0), 0);
    audio.mSoundVolume = 40;
    EXPECT_EQ(audio.CalculateVolume(0.0, 12.0), 40);
    EXPECT_EQ(audio.CalculateVolume(9.0, 12.0), 32);
}

TEST(AudioArithmetic, DistancesAreInScaledUnits)
{
    // A range of 12 reaches about 687.5 world units.
    EXPECT_NEAR(AudioManager::ScaledDistance(0, 0, 687.5494, 0), 12.0, 1e-4);
    EXPECT_DOUBLE_EQ(AudioManager::ScaledDistance(5, 5, 5, 5), 0.0);
}

TEST(AudioArithmetic, PanningFollowsTheListenersFacing)
{
    // Straight ahead (facing +x, source on +x): centred.
    StereoGains ahead = AudioManager::CalculatePanning(0, 0, 0, 100, 0);
    EXPECT_EQ(ahead.left, 255);
    EXPECT_EQ(ahead.right, 255);
    // At the listener's own position: centred too.
    StereoGains here = AudioManager::CalculatePanning(10, 10, 1.0, 10, 10);
    EXPECT_EQ(here.left, 255);
    EXPECT_EQ(here.right, 255);
    // Facing +x, a source at +y (clockwise, to the right on the map): right only.
    StereoGains right = AudioManager::CalculatePanning(0, 0, 0, 0, 100);
    EXPECT_EQ(right.left, 127);
    EXPECT_EQ(right.right, 255);
    StereoGains left = AudioManager::CalculatePanning(0, 0, 0, 0, -100);
    EXPECT_EQ(left.left, 255);
    EXPECT_EQ(left.right, 127);
    // Exactly behind: pan of +-1 silences one channel.
    StereoGains behind = AudioManager::CalculatePanning(0, 0, 0, -100, 0);
    EXPECT_EQ(behind.left == 0 || behind.right == 0, true);
    EXPECT_EQ(behind.left + behind.right, 255);
}

TEST(AudioArithmetic, AnglesAreBroughtIntoOneTurn)
{
    EXPECT_NEAR(AudioManager::NormalizeAngle(QuillUtils::PI * 1.5), -QuillUtils::PI * 0.5, 1e-12);
    EXPECT_NEAR(AudioManager::NormalizeAngle(-QuillUtils::PI * 1.5), QuillUtils::PI * 0.5, 1e-12);
    EXPECT_DOUBLE_EQ(AudioManager::NormalizeAngle(1.0), 1.0);
}

TEST(AudioManagerState, DoesNothingUntilInitialised)
{
    AudioManager audio;
    audio.SetSoundVolume(100);
    EXPECT_EQ(audio.mSoundVolume, 64);
    audio.PlaySound("select.wav");
    audio.PlayMusic("title.ogg", false);
    audio.LoadSound("select.wav");
    EXPECT_FALSE(audio.HasSound("select.wav"));
}
