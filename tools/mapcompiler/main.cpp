// quill3d-mapc [--out DIR] LAYOUT...
//
// Compiles each ASCII layout (see map_layout.h) into a map file named after it, with the
// extension ".map", in DIR (default "data/maps"). Exit status: 0 all written; 1 a layout
// is faulty or a file could not be read or written (the reason on stderr); 2 bad arguments.

#include "map_layout.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr int FAILED = 1;
constexpr int BAD_ARGUMENTS = 2;

struct Request
{
    std::string outputDirectory = "data/maps";
    std::vector<std::string> layouts;
};

bool ParseArguments(int argc, char** argv, Request& request)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--out")
        {
            if (i + 1 >= argc)
            {
                return false;
            }
            request.outputDirectory = argv[++i];
        }
        else
        {
            request.layouts.push_back(argument);
        }
    }
    return !request.layouts.empty();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        throw std::runtime_error("can't read " + path);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Compile(const std::string& layoutPath, const std::string& outputDirectory)
{
    MapFile layout;
    try
    {
        layout = ParseLayout(ReadFile(layoutPath));
    }
    catch (const std::exception& error)
    {
        throw std::runtime_error(layoutPath + ": " + error.what());
    }
    std::filesystem::path output = std::filesystem::path(outputDirectory);
    output /= std::filesystem::path(layoutPath).stem().string() + ".map";
    std::ofstream file(output, std::ios::binary);
    file << MapFileText(layout);
    if (!file)
    {
        throw std::runtime_error("can't write " + output.string());
    }
}
} // namespace

int main(int argc, char** argv)
{
    Request request;
    if (!ParseArguments(argc, argv, request))
    {
        std::cerr << "usage: quill3d-mapc [--out DIR] LAYOUT...\n";
        return BAD_ARGUMENTS;
    }
    try
    {
        std::filesystem::create_directories(request.outputDirectory);
        for (const std::string& layout : request.layouts)
        {
            Compile(layout, request.outputDirectory);
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << "quill3d-mapc: " << error.what() << '\n';
        return FAILED;
    }
    return 0;
}
