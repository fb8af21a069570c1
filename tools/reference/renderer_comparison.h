#pragma once

#include "core/wrapper.h"
#include "reference/reference_raycaster.h"

#include <SDL.h>

#include <cstdint>

class Game;

// Draws the current view of a game with the game's renderer and with the
// reference renderer, each over the same starting frame (a pattern of
// arbitrary pixels, so that pixels left alone are checked too), and counts the
// pixels in which the two pictures differ.
class RendererComparison
{
public:
    // The game must have its world view (framework, images, raycaster) set up.
    explicit RendererComparison(Game& game);

    // The number of frame pixels (all 32 bits of each) that differ; the
    // starting frame is made from the seed.
    int DifferingPixels(std::uint32_t seed);
    // Draws the view with the reference renderer alone, its wall animations
    // those of the game's renderer.
    void DrawReference();

    ReferenceRaycaster& Reference() { return mReference; }
    // The game renderer's picture of the last comparison.
    SDL_Surface* GamePicture() const { return mGamePicture.Get<SDL_Surface>(); }

private:
    void FillWithPattern(SDL_Surface* frame, std::uint32_t seed) const;

    Game& mGame;
    ReferenceRaycaster mReference;
    Wrapper mGamePicture;
};
