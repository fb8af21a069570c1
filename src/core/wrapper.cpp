#include "core/wrapper.h"

#include <utility>

Wrapper::Wrapper(Wrapper&& other) noexcept
    : mResource(std::exchange(other.mResource, std::monostate{})),
      mResourceType(other.mResourceType)
{
}

Wrapper& Wrapper::operator=(Wrapper&& other) noexcept
{
    if (this != &other)
    {
        freeResource();
        mResource = std::exchange(other.mResource, std::monostate{});
        mResourceType = other.mResourceType;
    }
    return *this;
}

void Wrapper::freeResource()
{
    if (IsEmpty())
    {
        return;
    }
    switch (mResourceType)
    {
    case ResourceType::Texture:
        SDL_DestroyTexture(Get<SDL_Texture>());
        break;
    case ResourceType::Renderer:
        SDL_DestroyRenderer(Get<SDL_Renderer>());
        break;
    case ResourceType::Window:
        SDL_DestroyWindow(Get<SDL_Window>());
        break;
    case ResourceType::Surface:
        SDL_FreeSurface(Get<SDL_Surface>());
        break;
    case ResourceType::Sound:
    {
        Mix_Chunk* chunk = Get<Mix_Chunk>();
        // The mixer thread must not read a chunk while it is freed.
        if (Mix_Playing(-1) > 0)
        {
            Mix_HaltChannel(-1);
        }
        Mix_FreeChunk(chunk);
        break;
    }
    case ResourceType::Music:
    {
        Mix_Music* music = Get<Mix_Music>();
        if (Mix_PlayingMusic() == 1)
        {
            Mix_HaltMusic();
        }
        Mix_FreeMusic(music);
        break;
    }
    case ResourceType::GameController:
        SDL_GameControllerClose(Get<SDL_GameController>());
        break;
    case ResourceType::None:
        break;
    }
    mResource = std::monostate{};
}
