// The map list read at start-up: every line names a map (and maybe its music),
// and a line that cannot say its line number and what is wrong with it.
#include "fuzz_target.h"

#include "core/game.h"

#include <regex>
#include <stdexcept>

namespace
{
const std::regex
    LIST_MESSAGE(R"(Line \([0-9]+\) (contains more than two entries|names no map file)!)");

class MapListTarget : public FuzzTarget
{
    std::string Try(const std::string& input) override
    {
        WriteWholeFile("data/maps/map.cfg", input);
        Game game;
        try
        {
            if (!game.ReadMapConfig())
            {
                return "the map list could not be opened";
            }
        }
        catch (const std::runtime_error& error)
        {
            return std::regex_match(error.what(), LIST_MESSAGE)
                       ? ""
                       : std::string("unclear message for a bad map list: ") + error.what();
        }
        // A name holds anything but the space that separates names and the line
        // feed that ends lines (a carriage return only counts as a line end when
        // it ends the line).
        for (const auto& entry : game.mMapList)
        {
            if (entry->mapFile.empty() ||
                (entry->mapFile + entry->musicFile).find_first_of(" \n") != std::string::npos)
            {
                return "a list entry \"" + entry->mapFile + "\" with music \"" + entry->musicFile +
                       "\"";
            }
        }
        return "";
    }
};
} // namespace

std::unique_ptr<FuzzTarget> MakeMapListTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<MapListTarget>();
}
