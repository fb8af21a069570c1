// The end screen reads every listed map for its best score; whatever a file
// holds, that reading never fails once the file is open. The map checker
// reads the same file by the game's rules: it refuses it with the loader's
// message, or agrees on the best score.
#include "fuzz_target.h"

#include "world/map.h"
#include "world/map_checker.h"

#include <fstream>

namespace
{
const std::string MAP_PATH = "data/maps/fuzz.map";

class HighScoreTarget : public FuzzTarget
{
    std::string Try(const std::string& input) override
    {
        WriteWholeFile(MAP_PATH, input);
        const std::int32_t score = Map().GetHighScore(MAP_PATH);
        if (score < 0 || score % 50 != 0)
        {
            return "a best score of " + std::to_string(score);
        }
        std::ifstream file(MAP_PATH);
        try
        {
            const std::int32_t checked = MapChecker::CheckFile(file).bestScore;
            return checked == score ? ""
                                    : "the checker's best score " + std::to_string(checked) +
                                          " differs from " + std::to_string(score);
        }
        catch (const std::runtime_error& error)
        {
            return FuzzCheck::StartsWithAny(
                       error.what(),
                       {"Error loading map: ", "Invalid angle for entity (Must be 0-360): "})
                       ? ""
                       : std::string("unclear message from the checker: ") + error.what();
        }
    }
};
} // namespace

std::unique_ptr<FuzzTarget> MakeHighScoreTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<HighScoreTarget>();
}
