// The end screen reads every listed map for its best score; whatever a file
// holds, that reading never fails once the file is open.
#include "fuzz_target.h"

#include "world/map.h"

namespace
{
const std::string MAP_PATH = "data/maps/fuzz.map";

class HighScoreTarget : public FuzzTarget
{
public:
    std::string Run(const std::string& input) override
    {
        FuzzCheck::WriteFile(MAP_PATH, input);
        try
        {
            const std::int32_t score = Map().GetHighScore(MAP_PATH);
            if (score < 0 || score % 50 != 0)
            {
                return "a best score of " + std::to_string(score);
            }
            return "";
        }
        catch (const std::exception& error)
        {
            return FuzzCheck::Unexpected(error);
        }
    }
};
} // namespace

std::unique_ptr<FuzzTarget> MakeHighScoreTarget()
{
    return std::make_unique<HighScoreTarget>();
}
