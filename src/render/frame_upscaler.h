#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// Puts the game's frame on the window the way SDL's software renderer does
// (the frame uploaded into its texture, stretched over the whole window by
// nearest neighbour), but in one pass straight into the window's surface.
//
// SDL stretches and blends pixel by pixel, which costs far more than the frame
// itself. The picture is the same here by construction: for each window size
// the upscaler has SDL draw a frame of coordinates once and reads back which
// frame pixel every window pixel shows and how SDL stores it; it is used only
// when that reading is consistent, only for frames whose every pixel is opaque
// (so that blending over the cleared window changes nothing), and only with the
// software renderer, which draws into the window's surface.
class FrameUpscaler
{
public:
    // Presents the frame; false when nothing was done, and the caller presents
    // through the renderer as usual. The renderer's queued clear is carried out.
    bool Present(SDL_Renderer* renderer, SDL_Window* window, SDL_Texture* texture,
                 SDL_Surface* frame);

    // Copies the frame onto the window's surface as learnt for its size; false
    // when this size or frame cannot go this way. For tests.
    bool Upscale(SDL_Renderer* renderer, SDL_Window* window, SDL_Texture* texture,
                 SDL_Surface* frame);

private:
    // What SDL makes of the frame at the current window size.
    bool Learn(SDL_Renderer* renderer, SDL_Texture* texture, SDL_Surface* frame,
               SDL_Surface* target);
    bool Learnt(const SDL_Surface* frame, const SDL_Surface* target) const;
    static bool Opaque(const SDL_Surface* frame);
    void Copy(const SDL_Surface* frame, SDL_Surface* target);
    // A window row from a frame row.
    void MakeRow(const std::uint32_t* from, std::uint32_t* to, int width) const;

    // For what the mapping was learnt.
    const SDL_Surface* mTarget = nullptr;
    int mTargetWidth = 0;
    int mTargetHeight = 0;
    Uint32 mTargetFormat = 0;
    int mFrameWidth = 0;
    int mFrameHeight = 0;
    Uint32 mFrameFormat = 0;
    bool mUsable = false;
    // The frame column of each window column and the frame row of each window row.
    std::vector<int> mColumns;
    std::vector<int> mRows;
    // Every frame column shown twice, side by side (the window twice as wide).
    bool mDoubleWidth = false;
    // The window columns in runs that show one frame column; all of at most four.
    struct Run
    {
        int column = 0;
        int count = 0;
    };
    std::vector<Run> mRuns;
    bool mShortRuns = false;
    // A frame pixel p becomes (p & mKeep) | mSet on the window.
    std::uint32_t mKeep = 0;
    std::uint32_t mSet = 0;
    std::vector<std::uint32_t> mPattern;
    // One window row (and room for the last run's spare pixels).
    std::vector<std::uint32_t> mRow;
    std::vector<std::uint32_t> mReadBack;
};
