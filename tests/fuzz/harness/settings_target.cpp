// A settings file edited by hand: read at start-up, written back at exit, and
// what is written must read back to the same settings.
#include "fuzz_target.h"

#include "core/game.h"

namespace
{
class SettingsTarget : public FuzzTarget
{
    std::string Try(const std::string& input) override
    {
        WriteWholeFile("ql3d.cfg", input);
        std::string formatted;
        {
            Game game;
            game.ReadConfig();
            formatted = game.mSettings.Format();
            if (!game.WriteConfig())
            {
                return "the settings that were read could not be written";
            }
        }
        if (ReadWholeFile("ql3d.cfg") != formatted)
        {
            return "the settings file differs from the settings it holds";
        }
        Game again;
        again.ReadConfig();
        return again.mSettings.Format() == formatted ? ""
                                                     : "the written settings read back differently";
    }
};
} // namespace

std::unique_ptr<FuzzTarget> MakeSettingsTarget(const FuzzOptions& /*options*/)
{
    return std::make_unique<SettingsTarget>();
}
