#include "render/frame_upscaler.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <unordered_map>

namespace
{
// The frame pixels are coded by their place in this many colour bits.
constexpr int PLACE_BITS = 24;

bool ThirtyTwoBits(const SDL_PixelFormat* format)
{
    return format->BytesPerPixel == 4 && format->palette == nullptr;
}

std::uint32_t ColourMask(const SDL_PixelFormat* format)
{
    return format->Rmask | format->Gmask | format->Bmask;
}

// Spreads a number over the bits of the mask, lowest first.
std::uint32_t SpreadOver(std::uint32_t value, std::uint32_t mask)
{
    std::uint32_t spread = 0;
    for (std::uint32_t bit = 1; bit != 0 && value != 0; bit <<= 1)
    {
        if ((mask & bit) != 0)
        {
            spread |= (value & 1u) != 0 ? bit : 0;
            value >>= 1;
        }
    }
    return spread;
}

std::uint32_t* Row(SDL_Surface* surface, int row)
{
    return reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                            static_cast<std::ptrdiff_t>(row) * surface->pitch);
}

const std::uint32_t* Row(const SDL_Surface* surface, int row)
{
    return reinterpret_cast<const std::uint32_t*>(
        static_cast<const std::uint8_t*>(surface->pixels) +
        static_cast<std::ptrdiff_t>(row) * surface->pitch);
}

// Holds a surface locked while it lives, where the surface needs it.
class Locked
{
public:
    explicit Locked(SDL_Surface* surface)
        : mSurface(surface), mNeeded(SDL_MUSTLOCK(surface)),
          mLocked(!mNeeded || SDL_LockSurface(surface) == 0)
    {
    }
    ~Locked()
    {
        if (mNeeded && mLocked)
        {
            SDL_UnlockSurface(mSurface);
        }
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    bool Ok() const { return mLocked; }

private:
    SDL_Surface* mSurface;
    bool mNeeded;
    bool mLocked;
};
} // namespace

bool FrameUpscaler::Present(SDL_Renderer* renderer, SDL_Window* window, SDL_Texture* texture,
                            SDL_Surface* frame)
{
    if (!Upscale(renderer, window, texture, frame))
    {
        return false;
    }
    SDL_RenderPresent(renderer);
    return true;
}

bool FrameUpscaler::Upscale(SDL_Renderer* renderer, SDL_Window* window, SDL_Texture* texture,
                            SDL_Surface* frame)
{
    if (renderer == nullptr || window == nullptr || texture == nullptr || frame == nullptr ||
        !ThirtyTwoBits(frame->format))
    {
        return false;
    }
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (target == nullptr || !ThirtyTwoBits(target->format))
    {
        return false;
    }
    if (!Learnt(frame, target))
    {
        mUsable = Learn(renderer, texture, frame, target);
        mTarget = target;
        mTargetWidth = target->w;
        mTargetHeight = target->h;
        mTargetFormat = target->format->format;
        mFrameWidth = frame->w;
        mFrameHeight = frame->h;
        mFrameFormat = frame->format->format;
    }
    if (!mUsable)
    {
        return false;
    }
    {
        Locked frameLock(frame);
        if (!frameLock.Ok() || !Opaque(frame))
        {
            return false;
        }
        // The clear the renderer has queued goes first; then every pixel of
        // the window is drawn over.
        SDL_RenderFlush(renderer);
        Locked targetLock(target);
        if (!targetLock.Ok())
        {
            return false;
        }
        Copy(frame, target);
    }
    return true;
}

bool FrameUpscaler::Learnt(const SDL_Surface* frame, const SDL_Surface* target) const
{
    return target == mTarget && target->w == mTargetWidth && target->h == mTargetHeight &&
           target->format->format == mTargetFormat && frame->w == mFrameWidth &&
           frame->h == mFrameHeight && frame->format->format == mFrameFormat;
}

bool FrameUpscaler::Learn(SDL_Renderer* renderer, SDL_Texture* texture, SDL_Surface* frame,
                          SDL_Surface* target)
{
    const SDL_PixelFormat* frameFormat = frame->format;
    const SDL_PixelFormat* targetFormat = target->format;
    int outputWidth = 0;
    int outputHeight = 0;
    const int width = frame->w;
    const int height = frame->h;
    // The renderer draws all of the window's surface, red, green and blue in
    // the same bits as the frame's.
    if (SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight) != 0 ||
        outputWidth != target->w || outputHeight != target->h || width <= 0 || height <= 0 ||
        static_cast<long long>(width) * height >= (1LL << PLACE_BITS) ||
        ColourMask(frameFormat) != ColourMask(targetFormat) ||
        SDL_BITSPERPIXEL(frameFormat->format) < PLACE_BITS)
    {
        return false;
    }
    mKeep = ColourMask(targetFormat);
    mSet = targetFormat->Amask;
    // Every frame pixel opaque and coded by its place.
    mPattern.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::unordered_map<std::uint32_t, std::uint32_t> placeOf;
    placeOf.reserve(mPattern.size());
    for (std::size_t place = 0; place < mPattern.size(); ++place)
    {
        mPattern[place] = SpreadOver(static_cast<std::uint32_t>(place), ColourMask(frameFormat)) |
                          frameFormat->Amask;
        placeOf[(mPattern[place] & mKeep) | mSet] = static_cast<std::uint32_t>(place);
    }
    if (SDL_UpdateTexture(texture, nullptr, mPattern.data(), width * 4) != 0 ||
        SDL_RenderCopy(renderer, texture, nullptr, nullptr) != 0)
    {
        return false;
    }
    const int targetWidth = target->w;
    const int targetHeight = target->h;
    mReadBack.resize(static_cast<std::size_t>(targetWidth) * static_cast<std::size_t>(targetHeight));
    if (SDL_RenderReadPixels(renderer, nullptr, targetFormat->format, mReadBack.data(),
                             targetWidth * 4) != 0)
    {
        return false;
    }
    // What SDL drew must be what the window's surface holds, every pixel a
    // frame pixel, the same frame column down each window column and the same
    // frame row along each window row.
    mColumns.assign(static_cast<std::size_t>(targetWidth), -1);
    mRows.assign(static_cast<std::size_t>(targetHeight), -1);
    Locked targetLock(target);
    if (!targetLock.Ok())
    {
        return false;
    }
    for (int y = 0; y < targetHeight; ++y)
    {
        const std::uint32_t* drawn = mReadBack.data() + static_cast<std::ptrdiff_t>(y) * targetWidth;
        if (std::memcmp(drawn, Row(target, y), static_cast<std::size_t>(targetWidth) * 4) != 0)
        {
            return false;
        }
        for (int x = 0; x < targetWidth; ++x)
        {
            const auto found = placeOf.find(drawn[x]);
            if (found == placeOf.end())
            {
                return false;
            }
            const int column = static_cast<int>(found->second % static_cast<std::uint32_t>(width));
            const int row = static_cast<int>(found->second / static_cast<std::uint32_t>(width));
            int& knownColumn = mColumns[static_cast<std::size_t>(x)];
            int& knownRow = mRows[static_cast<std::size_t>(y)];
            if ((knownColumn >= 0 && knownColumn != column) || (knownRow >= 0 && knownRow != row))
            {
                return false;
            }
            knownColumn = column;
            knownRow = row;
        }
    }
    mDoubleWidth = true;
    for (int x = 0; x < targetWidth; ++x)
    {
        mDoubleWidth = mDoubleWidth && mColumns[static_cast<std::size_t>(x)] == x / 2;
    }
    // The window columns showing one frame column side by side.
    mRuns.clear();
    mShortRuns = true;
    for (int x = 0; x < targetWidth;)
    {
        int count = 1;
        while (x + count < targetWidth && mColumns[static_cast<std::size_t>(x + count)] ==
                                              mColumns[static_cast<std::size_t>(x)])
        {
            ++count;
        }
        mRuns.push_back({mColumns[static_cast<std::size_t>(x)], count});
        mShortRuns = mShortRuns && count <= 4;
        x += count;
    }
    return true;
}

bool FrameUpscaler::Opaque(const SDL_Surface* frame)
{
    const std::uint32_t alpha = frame->format->Amask;
    if (alpha == 0)
    {
        return true;
    }
    std::uint32_t all = alpha;
    for (int y = 0; y < frame->h; ++y)
    {
        const std::uint32_t* pixels = Row(frame, y);
        for (int x = 0; x < frame->w; ++x)
        {
            all &= pixels[x];
        }
    }
    return (all & alpha) == alpha;
}

void FrameUpscaler::Copy(const SDL_Surface* frame, SDL_Surface* target)
{
    const int width = target->w;
    const std::size_t bytes = static_cast<std::size_t>(width) * 4;
    mRow.resize(static_cast<std::size_t>(width) + 4);
    std::uint32_t* row = mRow.data();
    int rowFor = -1;
    for (int y = 0; y < target->h; ++y)
    {
        // A window row is made once per frame row, then copied to each window
        // row that shows it.
        const int frameRow = mRows[static_cast<std::size_t>(y)];
        if (frameRow != rowFor)
        {
            MakeRow(Row(frame, frameRow), row, width);
            rowFor = frameRow;
        }
        std::memcpy(Row(target, y), row, bytes);
    }
}

void FrameUpscaler::MakeRow(const std::uint32_t* from, std::uint32_t* to, int width) const
{
    const std::uint32_t keep = mKeep;
    const std::uint32_t set = mSet;
    int x = 0;
#if defined(__SSE2__)
    const __m128i keepLanes = _mm_set1_epi32(static_cast<int>(keep));
    const __m128i setLanes = _mm_set1_epi32(static_cast<int>(set));
    if (mDoubleWidth)
    {
        // Each frame pixel twice over: four frame pixels make eight.
        for (; x + 8 <= width; x += 8)
        {
            const __m128i pixels = _mm_or_si128(
                _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x / 2)),
                              keepLanes),
                setLanes);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x), _mm_unpacklo_epi32(pixels, pixels));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x + 4),
                             _mm_unpackhi_epi32(pixels, pixels));
        }
    }
    else if (mShortRuns)
    {
        // Each frame pixel over its run of window columns, four written at a
        // time (the next run writes over the spare ones; the row has room).
        for (const Run& run : mRuns)
        {
            const std::uint32_t pixel = (from[run.column] & keep) | set;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + x),
                             _mm_set1_epi32(static_cast<int>(pixel)));
            x += run.count;
        }
        return;
    }
#endif
    const int* columns = mColumns.data();
    for (; x < width; ++x)
    {
        to[x] = (from[columns[x]] & keep) | set;
    }
}
