#include "core/utils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <random>

namespace QuillUtils
{
int ConvertAngle(int degrees)
{
    if (static_cast<unsigned int>(degrees) > 360u)
    {
        return -1;
    }
    // Map files count degrees counter-clockwise as seen on the map (90 faces up,
    // towards -y) while angle units grow clockwise.
    const int units = static_cast<int>(std::lround(degrees * 5.333333333333333));
    return (1920 - units) % 1920;
}

bool IsOnlyWhitespaces(const std::string& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

bool StringToBool(const std::string& text)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "true" || text == "1";
}

int StringToInt(const std::string& text, int defaultValue)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX)
    {
        return defaultValue;
    }
    return static_cast<int>(value);
}

std::vector<std::string> SplitAtSpaces(const std::string& line)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < line.size())
    {
        const std::size_t space = line.find(' ', start);
        if (space == std::string::npos)
        {
            pieces.push_back(line.substr(start));
            break;
        }
        pieces.push_back(line.substr(start, space - start));
        start = space + 1;
    }
    return pieces;
}

std::string StripCarriageReturn(std::string line)
{
    if (!line.empty() && line.back() == '\r')
    {
        line.pop_back();
    }
    return line;
}

SDL_Surface* CreateRGBSurface(SDL_RendererInfo info, int width, int height)
{
    const Uint32 format = info.texture_formats[0];
    return SDL_CreateRGBSurfaceWithFormat(0, width, height, SDL_BITSPERPIXEL(format), format);
}

namespace
{
bool IsInside(const SDL_Surface* surface, int x, int y)
{
    return surface != nullptr && x >= 0 && y >= 0 && x < surface->w && y < surface->h;
}

Uint8* PixelAddress(SDL_Surface* surface, int x, int y)
{
    return static_cast<Uint8*>(surface->pixels) + y * surface->pitch +
           x * surface->format->BytesPerPixel;
}
} // namespace

std::uint32_t GetPixel(SDL_Surface* surface, int x, int y)
{
    if (!IsInside(surface, x, y))
    {
        return 0;
    }
    const Uint8* p = PixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel)
    {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return p[0] | p[1] << 8 | p[2] << 16;
    case 4:
        return *reinterpret_cast<const Uint32*>(p);
    default:
        return 0;
    }
}

void SetPixel(SDL_Surface* surface, int x, int y, std::uint32_t pixel)
{
    if (!IsInside(surface, x, y))
    {
        return;
    }
    Uint8* p = PixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel)
    {
    case 1:
        *p = static_cast<Uint8>(pixel);
        break;
    case 2:
        *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(pixel);
        break;
    case 3:
        p[0] = static_cast<Uint8>(pixel);
        p[1] = static_cast<Uint8>(pixel >> 8);
        p[2] = static_cast<Uint8>(pixel >> 16);
        break;
    case 4:
        *reinterpret_cast<Uint32*>(p) = pixel;
        break;
    default:
        break;
    }
}

std::uint32_t ShadePixel(SDL_PixelFormat* format, std::uint32_t pixel, double light,
                         double maxLight)
{
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(pixel, format, &r, &g, &b);
    const auto shade = [&](Uint8 channel)
    { return static_cast<Uint8>(static_cast<Uint16>(channel / maxLight * light)); };
    return SDL_MapRGB(format, shade(r), shade(g), shade(b));
}

void RenderFilledCircle(SDL_Surface* surface, int cx, int cy, int radius, std::uint32_t pixel)
{
    if (radius < 0)
    {
        return;
    }
    const auto row = [&](int x0, int x1, int y)
    {
        for (int x = x0; x <= x1; ++x)
        {
            SetPixel(surface, x, y, pixel);
        }
    };
    int x = 0;
    int y = radius;
    int d = 1 - radius;
    while (x <= y)
    {
        row(cx - y, cx + y, cy + x);
        row(cx - y, cx + y, cy - x);
        row(cx - x, cx + x, cy + y);
        row(cx - x, cx + x, cy - y);
        ++x;
        if (d > 0)
        {
            --y;
            d += 2 * (x - y) + 1;
        }
        else
        {
            d += 2 * x + 1;
        }
    }
}

int RandomGetInt(int min, int max)
{
    std::random_device device("default");
    std::mt19937 generator(device());
    std::uniform_int_distribution<int> distribution(min, max);
    return distribution(generator);
}
} // namespace QuillUtils
