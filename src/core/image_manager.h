#pragma once

#include "core/wrapper.h"

#include <SDL.h>

#include <map>
#include <string>

// Loads the PNG images once, converted to the renderer's pixel format, and
// lends them out by key ("walls", "font", ...).
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

private:
    std::map<std::string, Wrapper> mImages;
};
