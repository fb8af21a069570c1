#pragma once

#include "core/wrapper.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// Loads a PNG converted to ARGB8888 (the software renderer's format).
Wrapper LoadArgbImage(const std::string& path);
bool SaveImage(SDL_Surface* surface, const std::string& path);
// An ARGB8888 image whose pixels all differ from their neighbours, made from the seed.
Wrapper MakePatternImage(int width, int height, std::uint32_t seed);
// The 32-bit pixel (x, y) of a 32-bit image.
std::uint32_t PixelOf(SDL_Surface* image, int x, int y);
void SetPixelOf(SDL_Surface* image, int x, int y, std::uint32_t pixel);
// Number of pixels whose RGB differs (by more than the tolerance in a channel)
// between two surfaces of the same size; -1 when the sizes differ.
int CountDifferentPixels(SDL_Surface* a, SDL_Surface* b, int tolerance = 0);
// Compares a surface with tests/data/references/NAME. With the environment
// variable QUILL_UPDATE_REFERENCES=1 the reference is (re)written instead.
// Returns an empty text on a match, else a description of the difference.
std::string CompareWithReference(SDL_Surface* surface, const std::string& name);
