#pragma once

#include "core/wrapper.h"
#include "render/frame_upscaler.h"

#include <SDL.h>

// The window, the renderer and the software surfaces everything is drawn into.
// The game composes each frame in one 320 x 240 surface that is stretched over
// the window; the editor composes three surfaces side by side in 800 x 600.
class Framework
{
public:
    static constexpr int FRAME_WIDTH = 320;
    static constexpr int FRAME_HEIGHT = 240;
    static constexpr int EDITOR_WIDTH = 800;
    static constexpr int EDITOR_HEIGHT = 600;
    static constexpr int EDITOR_MAP_SIZE = 513;
    static constexpr int EDITOR_SIDE_PANEL_WIDTH = 287;
    static constexpr int EDITOR_PROMPT_PANEL_HEIGHT = 87;

    Framework();
    ~Framework();
    Framework(const Framework&) = delete;
    Framework& operator=(const Framework&) = delete;

    bool Init(bool fullscreen, bool vsync, bool editorMode);
    // The editor's play-test: the game's frame surface takes the map view's
    // place and is stretched over the whole window, as in the game's own
    // window, until the editor's view comes back.
    void EnterGameView();
    void LeaveGameView();
    void Clear();
    void Render();
    SDL_RendererInfo GetRendererInfo();
    void CleanUp();

    SDL_Window* GetWindow() const { return mWindow.Find<SDL_Window>(); }
    SDL_Renderer* GetRenderer() const { return mRenderer.Find<SDL_Renderer>(); }
    // The frame surface of the game, or the map view of the editor.
    SDL_Surface* GetSurface() const { return mSurface.Find<SDL_Surface>(); }
    SDL_Surface* GetSidePanelSurface() const { return mSidePanelSurface.Find<SDL_Surface>(); }
    SDL_Surface* GetPromptPanelSurface() const { return mPromptPanelSurface.Find<SDL_Surface>(); }

    Wrapper mWindow;
    Wrapper mRenderer;
    Wrapper mTexture;
    Wrapper mSidePanelTexture;
    Wrapper mPromptPanelTexture;
    Wrapper mSurface;
    Wrapper mSidePanelSurface;
    Wrapper mPromptPanelSurface;
    // The pair of the view not shown: the game's frame while editing, the map
    // view while play-testing.
    Wrapper mSpareTexture;
    Wrapper mSpareSurface;
    SDL_DisplayMode mDisplayMode{};
    SDL_RendererInfo mRendererInfo{};
    int mWindowWidth = 640;
    int mWindowHeight = 480;
    bool mEditorMode = false;
    bool mCustomWindowSize = false;

private:
    bool mSdlStarted = false;
    // With the software renderer, the game's frame goes to the window without
    // SDL's stretch when that gives the same picture.
    FrameUpscaler mUpscaler;
    // A clear asked for and not yet carried out: with the software renderer
    // the game's frame covers the whole window, so the clear waits to see
    // whether SDL draws the frame.
    bool mClearPending = false;

    bool SoftwareGameWindow() const;

    void CreateWindowAndRenderer(bool fullscreen, bool vsync);
    void CreateSurfacePair(Wrapper& texture, Wrapper& surface, int width, int height);
    static void UploadAndCopy(SDL_Renderer* renderer, const Wrapper& texture,
                              const Wrapper& surface, const SDL_Rect* destination);
};
