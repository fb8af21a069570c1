#include "render/screen_flash.h"

#include "render/surface_lock.h"

#include <array>
#include <cstddef>

namespace
{
constexpr int CHANNELS = 4;
constexpr int VALUES = 256;
constexpr std::uint32_t CHANNEL = 0xFF;
constexpr std::uint8_t OPAQUE = 0xFF;

// Whether SDL blends this image over this frame with the plain arithmetic of an
// alpha-modulated blend, over the whole frame.
bool BlendsPlainly(SDL_Surface* flash, SDL_Surface* frame)
{
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    return flash->format->format == SDL_PIXELFORMAT_ARGB8888 &&
           frame->format->format == SDL_PIXELFORMAT_ARGB8888 && flash->w == frame->w &&
           flash->h == frame->h && frame->clip_rect.x == 0 && frame->clip_rect.y == 0 &&
           frame->clip_rect.w == frame->w && frame->clip_rect.h == frame->h &&
           !SDL_MUSTLOCK(flash) && SDL_GetSurfaceBlendMode(flash, &mode) == 0 &&
           mode == SDL_BLENDMODE_BLEND && SDL_HasColorKey(flash) == SDL_FALSE &&
           SDL_GetSurfaceColorMod(flash, &r, &g, &b) == 0 && r == CHANNEL && g == CHANNEL &&
           b == CHANNEL;
}

// What each value of each frame channel (blue, green, red, alpha: the bytes of
// an ARGB8888 pixel from the lowest) becomes under one image pixel, already
// moved to its place in the pixel.
class BlendTable
{
public:
    void Build(std::uint32_t source, std::uint32_t alphaMod)
    {
        const std::uint32_t alpha = (source >> 24) * alphaMod / 255;
        for (int channel = 0; channel < CHANNELS; ++channel)
        {
            const int shift = 8 * channel;
            std::uint32_t value = channel == 3 ? alpha : (source >> shift) & CHANNEL;
            if (channel != 3 && alpha < 255)
            {
                value = value * alpha / 255;
            }
            for (std::uint32_t frame = 0; frame < VALUES; ++frame)
            {
                mTable[static_cast<std::size_t>(channel)][frame] =
                    (value + (255 - alpha) * frame / 255) << shift;
            }
        }
        mSource = source;
    }

    std::uint32_t Source() const { return mSource; }

    std::uint32_t Blend(std::uint32_t frame) const
    {
        return mTable[0][frame & CHANNEL] | mTable[1][(frame >> 8) & CHANNEL] |
               mTable[2][(frame >> 16) & CHANNEL] | mTable[3][frame >> 24];
    }

private:
    std::array<std::array<std::uint32_t, VALUES>, CHANNELS> mTable{};
    std::uint32_t mSource = 0;
};
} // namespace

void BlendScreenFlash(SDL_Surface* flash, std::uint8_t alpha, SDL_Surface* frame)
{
    SDL_SetSurfaceAlphaMod(flash, alpha);
    if (flash == nullptr || frame == nullptr || !BlendsPlainly(flash, frame))
    {
        SDL_UpperBlit(flash, nullptr, frame, nullptr);
        return;
    }
    const SurfaceLock frameLock(frame);
    if (!frameLock.Locked())
    {
        SDL_UpperBlit(flash, nullptr, frame, nullptr);
        return;
    }
    const auto* firstRow = static_cast<const std::uint32_t*>(flash->pixels);
    if (alpha == OPAQUE)
    {
        // Unmodulated, SDL blends with another blitter of its own arithmetic.
        SDL_UpperBlit(flash, nullptr, frame, nullptr);
        return;
    }
    BlendTable table;
    table.Build(firstRow[0], alpha);
    for (int y = 0; y < frame->h; ++y)
    {
        const auto* source =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(flash->pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * flash->pitch);
        auto* target =
            reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(frame->pixels) +
                                             static_cast<std::ptrdiff_t>(y) * frame->pitch);
        for (int x = 0; x < frame->w; ++x)
        {
            // A flash is one colour; any other pixel gets a table of its own.
            if (source[x] != table.Source())
            {
                table.Build(source[x], alpha);
            }
            target[x] = table.Blend(target[x]);
        }
    }
}
