#pragma once

#include <SDL.h>

#include <cstdint>

// Draws a screen flash: the flash image, its alpha modulated to `alpha`, blended
// over the whole frame. The result is SDL_UpperBlit's to the last bit (SDL's
// blend of a modulated, alpha-blended image: source alpha a = image alpha x
// alpha / 255, each channel c x a / 255 + (255 - a) x frame / 255, integer
// divisions). A flash image is one colour, so every channel of the frame goes
// through a 256-entry table made for that colour and alpha instead of SDL's
// per-pixel arithmetic. Images or frames SDL would blend differently (other
// formats, colour keys, colour modulation, another blend mode, clipping, and an
// unmodulated image at full intensity) are handed to SDL_UpperBlit. Like the
// blit, it leaves the image's alpha modulation at `alpha`.
void BlendScreenFlash(SDL_Surface* flash, std::uint8_t alpha, SDL_Surface* frame);
