// quill3d-gen: writes the game's pictures, sound effects and music into a data directory.
// Everything is synthesised from fixed seeds, so two runs give byte-identical files.

#include "image_assets.h"

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
};

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
        else
        {
            options.showHelp = true;
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
        std::cout << "Usage: quill3d-gen [--out DIR]   (DIR defaults to data)\n";
        return 1;
    }
    try
    {
        WriteImages(MakeDirectory(options.outputDirectory, "gfx"));
    }
    catch (const std::exception& error)
    {
        std::cerr << "quill3d-gen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
