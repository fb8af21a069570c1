#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

class Game;

// Runs the whole game headless (dummy video and audio drivers) the way a
// player would see it: start-up to the first presented frame, then the first
// map of the map list played at the loop's own pace, turning, walking and
// firing, with the music playing. Reports the start-up time, the CPU time per
// minute of play, what each part of a playing frame costs and the peak memory.
class GameBench
{
public:
    using Clock = std::chrono::steady_clock;

    GameBench(std::string dataDirectory, std::ostream& out);

    // Plays `frames` paced frames; `processStart` is when the program began.
    // Returns the exit status.
    int Run(int frames, Clock::time_point processStart);

private:
    void PlayPaced(Game& game, int frames);
    void MeasureFrameParts(Game& game, int frames);
    void MeasureFlashes(Game& game);
    // The scripted player: holds a turn key, walks a little now and then and fires.
    void PushInput(int frame) const;

    std::string mDataDirectory;
    std::ostream& mOut;
};
