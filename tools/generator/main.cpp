// quill3d-gen: writes the game's pictures, sound effects and music into a data directory.
// Everything is synthesised from fixed seeds, so two runs give byte-identical files.

#include "app_icons.h"
#include "image_assets.h"
#include "music_assets.h"
#include "sound_assets.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace
{
struct Options
{
    std::string outputDirectory = "data";
    bool showHelp = false;
    bool badArgument = false;
};

constexpr const char* USAGE = "Usage: quill3d-gen [--out DIR]   (DIR defaults to data)\n";

Options ParseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--out" && i + 1 < argc)
        {
            options.outputDirectory = argv[++i];
        }
        else if (argument == "--help" || argument == "-h")
        {
            options.showHelp = true;
        }
        else
        {
            options.badArgument = true;
        }
    }
    return options;
}

std::string MakeDirectory(const std::string& parent, const std::string& name)
{
    const std::filesystem::path path = std::filesystem::path(parent) / name;
    std::filesystem::create_directories(path);
    return path.string();
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseArguments(argc, argv);
    if (options.showHelp)
    {
        std::cout << USAGE;
        return 0;
    }
    if (options.badArgument)
    {
        std::cerr << USAGE;
        return 2;
    }
    try
    {
        WriteImages(MakeDirectory(options.outputDirectory, "gfx"));
        WriteSounds(MakeDirectory(options.outputDirectory, "sfx"));
        WriteMusic(MakeDirectory(options.outputDirectory, "music"));
        WriteAppIcons(MakeDirectory(options.outputDirectory, "icons"));
    }
    catch (const std::exception& error)
    {
        std::cerr << "quill3d-gen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
