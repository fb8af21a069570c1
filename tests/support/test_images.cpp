#include "support/test_images.h"

#include "core/utils.h"
#include "support/scratch_dir.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

Wrapper LoadArgbImage(const std::string& path)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr)
    {
        return Wrapper();
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    return Wrapper(converted);
}

bool SaveImage(SDL_Surface* surface, const std::string& path)
{
    return IMG_SavePNG(surface, path.c_str()) == 0;
}

Wrapper MakePatternImage(int width, int height, std::uint32_t seed)
{
    Wrapper image(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            SetPixelOf(image.Get<SDL_Surface>(), x, y,
                       seed ^ static_cast<std::uint32_t>(x * 7919 + y * 104729));
        }
    }
    return image;
}

std::uint32_t PixelOf(SDL_Surface* image, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(image->pixels) +
                                                  y * image->pitch)[x];
}

void SetPixelOf(SDL_Surface* image, int x, int y, std::uint32_t pixel)
{
    reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(image->pixels) +
                                     y * image->pitch)[x] = pixel;
}

int CountDifferentPixels(SDL_Surface* a, SDL_Surface* b, int tolerance)
{
    if (a == nullptr || b == nullptr || a->w != b->w || a->h != b->h)
    {
        return -1;
    }
    int different = 0;
    for (int y = 0; y < a->h; ++y)
    {
        for (int x = 0; x < a->w; ++x)
        {
            Uint8 ar = 0, ag = 0, ab = 0, br = 0, bg = 0, bb = 0;
            SDL_GetRGB(QuillUtils::GetPixel(a, x, y), a->format, &ar, &ag, &ab);
            SDL_GetRGB(QuillUtils::GetPixel(b, x, y), b->format, &br, &bg, &bb);
            different +=
                std::max({std::abs(ar - br), std::abs(ag - bg), std::abs(ab - bb)}) > tolerance;
        }
    }
    return different;
}

std::string CompareWithReference(SDL_Surface* surface, const std::string& name)
{
    const std::filesystem::path reference = TestDataDir() / "references" / name;
    const char* update = std::getenv("QUILL_UPDATE_REFERENCES");
    if (update != nullptr && std::string(update) == "1")
    {
        std::filesystem::create_directories(reference.parent_path());
        return SaveImage(surface, reference.string()) ? "" : "cannot write " + reference.string();
    }
    Wrapper expected = LoadArgbImage(reference.string());
    if (expected.IsEmpty() || expected.Get<SDL_Surface>() == nullptr)
    {
        return "missing reference image " + reference.string();
    }
    const int different = CountDifferentPixels(surface, expected.Get<SDL_Surface>());
    if (different == 0)
    {
        return "";
    }
    const std::string actual =
        (std::filesystem::temp_directory_path() / ("actual-" + name)).string();
    SaveImage(surface, actual);
    return std::to_string(different) + " pixels differ from " + reference.string() +
           " (this run's picture: " + actual + ")";
}
