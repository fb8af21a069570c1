#pragma once

#include "core/wrapper.h"

#include <SDL.h>

#include <cstdint>
#include <map>
#include <string>

// Loads the PNG images once, converted to the renderer's pixel format, and
// lends them out by key ("walls", "font", ...). The images are read, never
// written, once loaded: whoever keeps something made from one (the renderer's
// copy of the walls) only has to watch Generation() to know it is still good.
class ImageManager
{
public:
    // False when the key is taken; throws std::runtime_error when the file
    // cannot be loaded or converted.
    bool AddImage(const std::string& fileName, const std::string& key,
                  SDL_RendererInfo rendererInfo, bool rle);
    // Null for a key never added.
    SDL_Surface* GetImage(const std::string& key) const;
    void RemoveImage(const std::string& key);
    // Changes whenever an image is added or removed.
    std::uint64_t Generation() const { return mGeneration; }

private:
    std::map<std::string, Wrapper> mImages;
    std::uint64_t mGeneration = 0;
};
