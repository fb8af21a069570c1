#include "core/framework.h"

#include "core/utils.h"

#include <SDL_image.h>

#include <stdexcept>
#include <string>

namespace
{
[[noreturn]] void ThrowSdlError(const std::string& prefix)
{
    throw std::runtime_error(prefix + SDL_GetError());
}
} // namespace

Framework::Framework()
{
    for (Wrapper* wrapper :
         {&mWindow, &mRenderer, &mTexture, &mSidePanelTexture, &mPromptPanelTexture, &mSurface,
          &mSidePanelSurface, &mPromptPanelSurface, &mSpareTexture, &mSpareSurface})
    {
        wrapper->SetType(ResourceType::None);
    }
}

Framework::~Framework()
{
    CleanUp();
}

bool Framework::Init(bool fullscreen, bool vsync, bool editorMode)
{
    mEditorMode = editorMode;
    // Ctrl+C, SIGTERM and SIGHUP end the program through the program's own
    // handlers. Left to SDL they would arrive as a window-close request, which
    // in play only opens the in-game menu.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) < 0)
    {
        ThrowSdlError("Unable to initialize SDL: ");
    }
    mSdlStarted = true;
    CreateWindowAndRenderer(fullscreen, vsync);

    if (SDL_GetRendererInfo(GetRenderer(), &mRendererInfo) < 0)
    {
        ThrowSdlError("Unable to get renderer information: ");
    }
    if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(GetWindow()), &mDisplayMode) < 0)
    {
        ThrowSdlError("Unable to get current display mode information: ");
    }

    if (editorMode)
    {
        CreateSurfacePair(mTexture, mSurface, EDITOR_MAP_SIZE, EDITOR_MAP_SIZE);
        CreateSurfacePair(mSidePanelTexture, mSidePanelSurface, EDITOR_SIDE_PANEL_WIDTH,
                          EDITOR_MAP_SIZE);
        CreateSurfacePair(mPromptPanelTexture, mPromptPanelSurface, EDITOR_WIDTH,
                          EDITOR_PROMPT_PANEL_HEIGHT);
    }
    else
    {
        CreateSurfacePair(mTexture, mSurface, FRAME_WIDTH, FRAME_HEIGHT);
        SDL_SetWindowSize(GetWindow(), mWindowWidth, mWindowHeight);
        // Created small and then resized: centre it again at its real size.
        SDL_SetWindowPosition(GetWindow(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        SDL_ShowCursor(0);
    }

    if (IMG_Init(IMG_INIT_PNG) != IMG_INIT_PNG)
    {
        ThrowSdlError("Unable to initialize PNG support: ");
    }
    return true;
}

void Framework::CreateWindowAndRenderer(bool fullscreen, bool vsync)
{
    // A window size given on the command line always opens a window.
    Uint32 flags = 0;
    if (fullscreen && !mCustomWindowSize)
    {
        flags = SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    std::string title = "Quill 3D v" + QuillUtils::VERSION;
    if (mEditorMode)
    {
        title += " - Editor Mode";
    }
    const int width = mEditorMode ? EDITOR_WIDTH : FRAME_WIDTH;
    const int height = mEditorMode ? EDITOR_HEIGHT : FRAME_HEIGHT;
    SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (window == nullptr)
    {
        ThrowSdlError("Unable to create window: ");
    }
    mWindow.Reset(window);

    Uint32 rendererFlags = SDL_RENDERER_ACCELERATED;
    if (vsync)
    {
        rendererFlags |= SDL_RENDERER_PRESENTVSYNC;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, rendererFlags);
    if (renderer == nullptr)
    {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer == nullptr)
    {
        ThrowSdlError("Unable to create renderer: ");
    }
    mRenderer.Reset(renderer);
    // The software renderer starts with vsync on whatever it was asked for; the
    // options show the renderer's own state, so make it the one the settings want.
    SDL_RenderSetVSync(renderer, vsync ? 1 : 0);
}

void Framework::CreateSurfacePair(Wrapper& texture, Wrapper& surface, int width, int height)
{
    SDL_Texture* newTexture = SDL_CreateTexture(GetRenderer(), mRendererInfo.texture_formats[0],
                                                SDL_TEXTUREACCESS_STREAMING, width, height);
    if (newTexture == nullptr)
    {
        ThrowSdlError("Unable to create texture: ");
    }
    texture.Reset(newTexture);
    SDL_Surface* newSurface = QuillUtils::CreateRGBSurface(mRendererInfo, width, height);
    if (newSurface == nullptr)
    {
        ThrowSdlError("Unable to create surface: ");
    }
    surface.Reset(newSurface);
}

void Framework::EnterGameView()
{
    if (mSpareSurface.Find<SDL_Surface>() == nullptr)
    {
        CreateSurfacePair(mSpareTexture, mSpareSurface, FRAME_WIDTH, FRAME_HEIGHT);
    }
    std::swap(mTexture, mSpareTexture);
    std::swap(mSurface, mSpareSurface);
    mEditorMode = false;
    SDL_ShowCursor(0);
}

void Framework::LeaveGameView()
{
    std::swap(mTexture, mSpareTexture);
    std::swap(mSurface, mSpareSurface);
    mEditorMode = true;
    SDL_ShowCursor(1);
}

bool Framework::SoftwareGameWindow() const
{
    return !mEditorMode && (mRendererInfo.flags & SDL_RENDERER_SOFTWARE) != 0;
}

void Framework::Clear()
{
    if (SoftwareGameWindow())
    {
        mClearPending = true;
        return;
    }
    SDL_Renderer* renderer = GetRenderer();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

void Framework::UploadAndCopy(SDL_Renderer* renderer, const Wrapper& texture,
                              const Wrapper& surface, const SDL_Rect* destination)
{
    SDL_Texture* target = texture.Get<SDL_Texture>();
    SDL_Surface* source = surface.Get<SDL_Surface>();
    SDL_UpdateTexture(target, nullptr, source->pixels, source->pitch);
    SDL_RenderCopy(renderer, target, nullptr, destination);
}

void Framework::Render()
{
    SDL_Renderer* renderer = GetRenderer();
    if (mEditorMode)
    {
        const SDL_Rect mapView{0, 0, EDITOR_MAP_SIZE, EDITOR_MAP_SIZE};
        const SDL_Rect sidePanel{EDITOR_MAP_SIZE, 0, EDITOR_SIDE_PANEL_WIDTH, EDITOR_MAP_SIZE};
        const SDL_Rect promptPanel{0, EDITOR_MAP_SIZE, EDITOR_WIDTH, EDITOR_PROMPT_PANEL_HEIGHT};
        UploadAndCopy(renderer, mTexture, mSurface, &mapView);
        UploadAndCopy(renderer, mSidePanelTexture, mSidePanelSurface, &sidePanel);
        UploadAndCopy(renderer, mPromptPanelTexture, mPromptPanelSurface, &promptPanel);
    }
    else
    {
        // The software renderer stretches the frame pixel by pixel through its
        // general blitter; copying it over the window directly gives the same
        // picture for a fraction of the work.
        const bool clear = mClearPending;
        mClearPending = false;
        if (SoftwareGameWindow() &&
            mUpscaler.Present(renderer, GetWindow(), mTexture.Find<SDL_Texture>(),
                              mSurface.Find<SDL_Surface>()))
        {
            return;
        }
        if (clear)
        {
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
        }
        UploadAndCopy(renderer, mTexture, mSurface, nullptr);
    }
    SDL_RenderPresent(renderer);
}

SDL_RendererInfo Framework::GetRendererInfo()
{
    SDL_Renderer* renderer = GetRenderer();
    if (renderer == nullptr)
    {
        throw std::runtime_error("Renderer is null!");
    }
    SDL_GetRendererInfo(renderer, &mRendererInfo);
    if (SDL_GetCurrentDisplayMode(0, &mDisplayMode) < 0)
    {
        ThrowSdlError("Unable to get current display mode information: ");
    }
    return mRendererInfo;
}

void Framework::CleanUp()
{
    mTexture.freeResource();
    mSurface.freeResource();
    mSidePanelTexture.freeResource();
    mSidePanelSurface.freeResource();
    mPromptPanelTexture.freeResource();
    mPromptPanelSurface.freeResource();
    mSpareTexture.freeResource();
    mSpareSurface.freeResource();
    mRenderer.freeResource();
    mWindow.freeResource();
    if (mSdlStarted)
    {
        IMG_Quit();
        SDL_Quit();
        mSdlStarted = false;
    }
}
