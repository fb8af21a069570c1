// A settings file edited by hand: read at start-up, written back at exit, and
// what is written must read back to the same settings.
#include "fuzz_target.h"

#include "core/game.h"

namespace
{
const std::string SETTINGS_FILE = "ql3d.cfg";

class SettingsTarget : public FuzzTarget
{
public:
    std::string Run(const std::string& input) override
    {
        FuzzCheck::WriteFile(SETTINGS_FILE, input);
        try
        {
            return ReadAndWriteBack();
        }
        catch (const std::exception& error)
        {
            return FuzzCheck::Unexpected(error);
        }
    }

private:
    static std::string ReadAndWriteBack()
    {
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
        if (FuzzCheck::ReadFile(SETTINGS_FILE) != formatted)
        {
            return "the settings file differs from the settings it holds";
        }
        Game again;
        again.ReadConfig();
        if (again.mSettings.Format() != formatted)
        {
            return "the written settings read back differently";
        }
        return "";
    }
};
} // namespace

std::unique_ptr<FuzzTarget> MakeSettingsTarget()
{
    return std::make_unique<SettingsTarget>();
}
