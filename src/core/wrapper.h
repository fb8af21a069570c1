#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <variant>

// How a Wrapper releases the resource it holds.
enum class ResourceType : std::uint8_t
{
    Texture = 0,
    Renderer = 1,
    Window = 2,
    Surface = 3,
    Sound = 4,
    Music = 5,
    None = 6,
    GameController = 7
};

// Owns exactly one SDL or SDL_mixer resource (or nothing) and frees it with the
// function that belongs to its type. Every SDL resource of the game lives in one.
class Wrapper
{
public:
    using Resource = std::variant<std::monostate, SDL_Texture*, SDL_Renderer*, SDL_Window*,
                                  SDL_Surface*, Mix_Chunk*, Mix_Music*, SDL_GameController*>;

    Wrapper() = default;
    explicit Wrapper(SDL_Texture* texture) { Reset(texture); }
    explicit Wrapper(SDL_Renderer* renderer) { Reset(renderer); }
    explicit Wrapper(SDL_Window* window) { Reset(window); }
    explicit Wrapper(SDL_Surface* surface) { Reset(surface); }
    explicit Wrapper(Mix_Chunk* chunk) { Reset(chunk); }
    explicit Wrapper(Mix_Music* music) { Reset(music); }
    explicit Wrapper(SDL_GameController* controller) { Reset(controller); }
    ~Wrapper() { freeResource(); }

    Wrapper(const Wrapper&) = delete;
    Wrapper& operator=(const Wrapper&) = delete;
    Wrapper(Wrapper&& other) noexcept;
    Wrapper& operator=(Wrapper&& other) noexcept;

    // Frees the held resource (if any) and takes the new one. A null pointer
    // leaves the wrapper holding a null resource of that type.
    void Reset(SDL_Texture* texture) { Store(texture, ResourceType::Texture); }
    void Reset(SDL_Renderer* renderer) { Store(renderer, ResourceType::Renderer); }
    void Reset(SDL_Window* window) { Store(window, ResourceType::Window); }
    void Reset(SDL_Surface* surface) { Store(surface, ResourceType::Surface); }
    void Reset(Mix_Chunk* chunk) { Store(chunk, ResourceType::Sound); }
    void Reset(Mix_Music* music) { Store(music, ResourceType::Music); }
    void Reset(SDL_GameController* controller) { Store(controller, ResourceType::GameController); }

    // Releases the resource and leaves the wrapper empty. The type is kept.
    void freeResource();

    // The held pointer; throws std::bad_variant_access when the wrapper holds
    // another kind of resource or nothing.
    template <typename T> T* Get() const { return std::get<T*>(mResource); }

    // The held pointer, or null when the wrapper holds anything else.
    template <typename T> T* Find() const
    {
        T* const* held = std::get_if<T*>(&mResource);
        return held ? *held : nullptr;
    }

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(mResource); }
    ResourceType GetType() const { return mResourceType; }
    void SetType(ResourceType type) { mResourceType = type; }

private:
    template <typename T> void Store(T* resource, ResourceType type)
    {
        freeResource();
        mResource = resource;
        mResourceType = type;
    }

    Resource mResource;
    ResourceType mResourceType = ResourceType::None;
};
