#include "core/image_manager.h"

#include <SDL_image.h>

#include <stdexcept>

bool ImageManager::AddImage(const std::string& fileName, const std::string& key,
                            SDL_RendererInfo rendererInfo, bool rle)
{
    if (mImages.count(key) != 0)
    {
        return false;
    }
    SDL_Surface* loaded = IMG_Load(fileName.c_str());
    if (loaded == nullptr)
    {
        throw std::runtime_error(std::string("Couldn't initialize image: ") + SDL_GetError());
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, rendererInfo.texture_formats[0], 0);
    SDL_FreeSurface(loaded);
    if (converted == nullptr)
    {
        throw std::runtime_error("Couldn't convert image " + fileName +
                                 " to the display format: " + SDL_GetError());
    }
    if (rle)
    {
        SDL_SetSurfaceRLE(converted, 1);
    }
    mImages.emplace(key, Wrapper(converted));
    ++mGeneration;
    return true;
}

SDL_Surface* ImageManager::GetImage(const std::string& key) const
{
    const auto found = mImages.find(key);
    return found == mImages.end() ? nullptr : found->second.Find<SDL_Surface>();
}

void ImageManager::RemoveImage(const std::string& key)
{
    if (mImages.erase(key) != 0)
    {
        ++mGeneration;
    }
}
