#pragma once

#include "core/audio_manager.h"
#include "core/framework.h"
#include "core/game_paths.h"
#include "core/game_settings.h"
#include "core/game_state.h"
#include "core/gamepad.h"
#include "core/image_manager.h"
#include "core/wrapper.h"
#include "editor/editor_history.h"
#include "editor/editor_map.h"
#include "editor/editor_types.h"
#include "gameplay/font.h"
#include "gameplay/map_list_entry.h"
#include "menus/menu_struct.h"
#include "render/raycaster.h"
#include "render/world_view.h"
#include "world/entity.h"
#include "world/map.h"
#include "world/map_checker.h"
#include "world/world_types.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Player;

// The whole program: owns every subsystem, runs the frame loop and the game
// states. Its member functions are spread over the game_*.cpp files by
// subsystem. The state is public because the subsystems are its parts and
// work on it directly; only SwitchGameState changes the game state.
class Game
{
public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- Start-up and shut-down (game.cpp) ---
    // False when there is nothing to run: --help, --version or --check was
    // answered.
    bool Init(int argc, char** argv);
    void ParseCommandLines(int argc, char** argv);
    void CleanUp();
    void InitTextureFlags();

    // --- Frame loop and states (game_loop.cpp) ---
    void Run();
    // One pass of the loop without the pacing sleep: clear, events, the state's
    // work, present. False when the window is minimised and nothing was drawn.
    bool RunFrame();
    void Delay(int& lastTicks);
    void SwitchGameState(GameState newState);
    GameState GetGameState() const { return mGameState; }
    void PlayingStep();
    void KeepOccupiedDoorsOpen();
    void RenderScreenFlashes();

    // --- Events (game_events.cpp) ---
    void HandleEvents();
    void HandleEvent(const SDL_Event& event);

    // --- Mouse and gamepad (game_controls.cpp) ---
    // The sticks of the pad in use, past the dead zone of the settings.
    PadSticks ReadPadSticks() const;

    // --- Settings file (game_settings_file.cpp) ---
    void ReadConfig();
    bool WriteConfig();
    void CloneGameSettings();
    void RestoreOldGameSettings();

    // --- Entities and flashes (game_entities.cpp) ---
    void DoEntities();
    Entity* GetPlayer();
    Player* GetPlayerRecord();
    void ClearEntities(bool keepPlayer);
    void EradicateEnemies();
    void InitPickUpScreen();
    void InitHitScreen();
    void InitEradicateScreen();
    void ClearPlayerKeys();
    // Random integer in [min, max]: real randomness in the game, a fixed
    // sequence when a test installs its own source.
    int RandomInt(int min, int max) const;

    // --- HUD and hand (game_hud.cpp) ---
    void RenderHUD(Player* player);
    void RenderHand(Player* player);

    // --- Map list and progression (game_progression.cpp) ---
    bool ReadMapConfig();
    void LoadMap(bool newGame);
    void NextMap();
    void TheEnd();

    // --- The 3D world on its own, for the view tool and tests (game_world_view.cpp) ---
    // Starts only what the 3D view needs: the framework, a silent audio manager,
    // the world's images from gfxDirectory, the texture tables, the map and the
    // raycaster. No settings, map list, menus or sounds.
    void InitWorldView(const std::string& gfxDirectory);
    // The doors and animations of one playing step; the entities do not act.
    void StepWorld();
    // Draws the 3D view alone (no hand, flashes or HUD) into the cleared frame surface.
    SDL_Surface* DrawWorldView();
    // What the renderer draws this frame's 3D view from. A player must exist.
    WorldView MakeWorldView();

    // --- Menus (game_menus.cpp) ---
    void InitMenus();
    void MainMenu();
    void InGameMenu();
    void Options();
    void MenuKeyAction(SDL_Scancode key);
    void Credits();
    // The options show one of two pages: the main one, or "Mouse and Gamepad".
    bool OnControlsPage() const;

    // --- Editor (game_editor*.cpp) ---
    void InitEditor();
    void Editor();
    void TileSelection(SDL_Surface* frame, SDL_Surface* font, SDL_Surface* panel);
    void CurrentTileFocus(SDL_Surface* frame, SDL_Surface* font, SDL_Surface* panel, int x, int y);
    template <typename T> std::string TileValueDescription(T value, int layer) const;
    void EditorAction();
    void EditorInitResizeMap();
    void EditorSetTile(int button, int x, int y);
    void EditorSortEntities();
    bool EditorLoadMap();
    bool EditorSaveMap();
    // The map on screen as its file would hold it.
    std::string EditorMapText() const;
    // Ended from outside with the map unsaved, the editor keeps a copy of it
    // beside its file ("NAME.map.recovered") and says where on stderr.
    void EditorKeepUnsavedMap();
    // A typed name that is opened without adding ".map": a kept copy.
    static bool EditorOpensAsIs(const std::string& typedName);
    void EditorNewMap();
    void EditorResizeMap();
    // Hands one event of the editor state to the editor's rules; false when the
    // rest of the queue must wait for the next pass.
    bool EditorHandleEvent(const SDL_Event& event);
    // P: the map on screen played in the editor's window, with the game's rules,
    // images and sounds, until Escape, death or an exit brings the editor back.
    void EditorStartPlayTest();
    void PreparePlayTest();
    void EndPlayTest();

private:
    // Editor helpers: the model and palettes (game_editor_model.cpp).
    std::uint32_t EditorColor(Uint8 r, Uint8 g, Uint8 b) const;
    std::uint32_t EditorUnknownColor() const;
    EditorEmptyColors EditorLookUpEmptyColors() const;
    void EditorColorCells(EditorMap& map) const;
    void EditorReplaceMap(EditorMap& map);
    void EditorResetSelections();
    bool EditorHasPlayer() const;
    void EditorEntityChanged(const EditorTile<std::string>* cell, const std::string& previous);
    void EditorClearCell(int x, int y);
    void EditorClearLayer();
    void EditorTurnPlayer();
    void EditorStepSelection(int selection, int step);
    // Paints every cell on the straight line from one cell to another but the
    // first, which the stroke has painted already.
    void EditorPaintLine(int button, int fromX, int fromY, int toX, int toY);
    // Paints the region of same-valued cells around the cursor on the walls or
    // the ceilings and floors layer with selection #1 or #2.
    void EditorFill(int selection);
    // Undo and redo: one step is one change of the map, a whole stroke one step.
    template <typename Change> void EditorChange(Change change);
    void EditorRecordChange(const std::string& before);
    void EditorEndStroke();
    void EditorUndo();
    void EditorRedo();
    // Puts a map given as its file's text on screen; name, layer, selections and
    // cursor (where the map still has it) stay.
    void EditorRestoreMap(const std::string& text);
    // Commands and prompts (game_editor_commands.cpp).
    void EditorHandleKey(const SDL_Keysym& key);
    void EditorRunCommand(const SDL_Keysym& key);
    void EditorHandleMouse(int x, int y, int button);
    void EditorHandleText(const std::string& text);
    void EditorCancel();
    void EditorDismissMessage();
    void EditorSubmitInput();
    void EditorSubmitSize();
    // V: checks the map on screen as it stands and shows what was found.
    void EditorCheckMap();
    std::string EditorCheckMessage() const;
    // The outline of a check goes with the first change of the map.
    void EditorForgetOutdatedCheck();
    // Screen (game_editor_screen.cpp).
    void EditorDrawMapView(SDL_Surface* view);
    void EditorDrawSidePanel(SDL_Surface* panel, SDL_Surface* font);
    void EditorDrawPromptPanel(SDL_Surface* panel, SDL_Surface* font);

public:
    // --- State ---
    std::int32_t mCurrentMap = 0;
    int mFrameTime = 0;
    std::int32_t mBlinkCounter = 0;
    std::int32_t mHighScoreTotal = 0;
    int mPickUpAlpha = 0;
    int mPickUpCounter = 0;
    int mHitAlpha = 0;
    int mHitCounter = 0;
    int mEradicateAlpha = 0;
    int mEradicateCounter = 0;
    int mEradicatePhase = 1;
    int mGuardCounter = 0;

    // Editor state.
    std::vector<std::unique_ptr<EditorValue<int>>> mWallPalette;
    std::vector<std::unique_ptr<EditorValue<int>>> mFloorPalette;
    std::vector<std::unique_ptr<EditorValue<std::string>>> mEntityPalette;
    std::array<std::int32_t, 2> mWallSelectionIndex{0, 0};
    std::array<std::int32_t, 2> mFloorSelectionIndex{0, 0};
    std::array<std::int32_t, 2> mEntitySelectionIndex{0, 0};
    std::vector<std::unique_ptr<EditorTile<int>>> mWallTiles;
    std::vector<std::unique_ptr<EditorTile<int>>> mFloorTiles;
    std::vector<std::unique_ptr<EditorTile<std::string>>> mEntityTiles;
    std::vector<EditorTile<std::string>*> mEntityGrid;
    std::string mPromptTitle;
    std::string mPromptMessage;
    std::string mMapName = "untitled.map";
    // The text of the map as last opened or saved; nothing while the map on
    // screen has no file of its own.
    std::optional<std::string> mSavedMapText;
    std::string mInputText;
    std::int32_t mCursorX = -1;
    std::int32_t mCursorY = -1;
    std::int32_t mCurrentLayer = 0;
    std::array<EditorValue<int>*, 2> mWallSelection{nullptr, nullptr};
    std::array<EditorValue<int>*, 2> mFloorSelection{nullptr, nullptr};
    std::array<EditorValue<std::string>*, 2> mEntitySelection{nullptr, nullptr};
    EditorActionState mEditorAction = EditorActionState::None;
    std::int32_t mNewWidth = 0;
    std::int32_t mNewHeight = 0;
    std::int32_t mMapWidth = 64;
    std::int32_t mMapHeight = 64;
    std::int32_t mMapHighScore = 0;
    bool mResizing = false;
    bool mShowWalls = true;
    bool mShowFloors = true;
    bool mShowEntities = true;
    bool mQuitAfterSave = false;
    bool mPlayTesting = false;
    bool mPlayTestOver = false;
    // Why the last play-test could not start.
    std::string mPlayTestProblem;
    EditorHistory mEditorHistory;
    // The paint stroke in progress: the map before it, and the cell painted last.
    struct EditorStroke
    {
        std::string before;
        int lastX = -1;
        int lastY = -1;
    };
    std::optional<EditorStroke> mEditorStroke;
    // The last check of the map (V) and the map it looked at; its cells stay
    // outlined on the map view while the map is that map.
    struct EditorCheck
    {
        std::string mapText;
        MapCheck result;
    };
    std::optional<EditorCheck> mEditorCheck;

    bool mInputGuard = false;
    bool mPickUpScreenActive = false;
    bool mHitScreenActive = false;
    bool mEradicateScreenActive = false;
    bool mRunning = false;
    bool mWindowActive = true;
    bool mGameInProgress = false;
    bool mCaptureMenuBackground = false;
    bool mLoadNextMap = false;
    bool mCursorBlink = false;
    // --help, --version or --check was answered: Init starts nothing.
    bool mCommandLineAnswered = false;
    bool mWindowFocused = true;
    // Play holds the mouse in relative mode while the window has the focus.
    bool mMouseCaptured = false;
    // The mouse's turn not yet taken by the player, in hundredths of an angle
    // unit: the player turns whole units and the rest waits for the next frame.
    std::int64_t mPendingTurn = 0;
    // What the program ends with: --check's answer, else 0.
    int mExitStatus = 0;
    // Set once the settings file was read, so a start that fails earlier never
    // overwrites the player's settings with the defaults.
    bool mSettingsRead = false;
    // Where the data is read and the player's files are kept.
    GamePaths mPaths;
    GameSettings mSettings;
    GameSettings mOldSettings;
    // The window mode when the options were entered, which "Discard Changes"
    // brings back: a window size on the command line opens a window whatever
    // the fullscreen setting says.
    bool mOldWindowFullscreen = false;
    // Bindings pressed during the current event pass, and those released in
    // the same pass, whose release waits for the next one.
    std::array<bool, KEY_ACTION_COUNT> mPressedThisPass{};
    std::array<bool, KEY_ACTION_COUNT> mTapReleasePending{};

private:
    GameState mGameState = GameState::None;

public:
    Wrapper mPickUpScreen;
    Wrapper mHitScreen;
    Wrapper mEradicateScreen;
    Wrapper mMenuBackground;
    Wrapper mMenuCanvas;
    std::vector<std::unique_ptr<MenuStruct>> mMenus;
    MenuStruct* mCurrentMenu = nullptr;
    std::vector<std::unique_ptr<MapListEntry>> mMapList;
    std::vector<std::unique_ptr<Entity>> mEntities;
    std::unique_ptr<Framework> mFramework;
    std::unique_ptr<Font> mFont;
    std::unique_ptr<AudioManager> mAudioManager;
    std::unique_ptr<ImageManager> mImageManager;
    std::unique_ptr<Map> mMap;
    std::unique_ptr<Raycaster> mRaycaster;
    // The game only; null in the editor and the tools.
    std::unique_ptr<Gamepad> mGamepad;
    std::vector<SDL_Rect> mWallRects;
    std::vector<SDL_Rect> mCeilingFloorRects;
    std::vector<TextureFlagsType> mTextureFlags;
    std::string mCurrentMusic;

    // Seams for tests: the source of random numbers, the sleeps of the pacing
    // and the credits, and the wait of a minimised window. The game keeps the
    // real ones.
    std::function<int(int, int)> mRandomSource;
    std::function<void(Uint32)> mSleep;
    std::function<void()> mWaitForEvent;

private:
    // Event handling by kind of event and state.
    void HandleQuitRequest();
    void HandleEscape();
    void HandleKeyDown(const SDL_KeyboardEvent& key);
    void HandleWindowEvent(const SDL_WindowEvent& window);
    bool InputGuardHolds();
    void OpenInGameMenu();
    void PressBinding(const SDL_KeyboardEvent& key);
    void ReleaseBinding(const SDL_KeyboardEvent& key);
    // Holds or lets go of an action, from a key, a mouse button or the pad.
    void PressAction(KeyAction action);
    void ReleaseAction(KeyAction action);
    void HoldAction(KeyAction action, bool held);
    void HandleMouseEvent(const SDL_Event& event);
    void HandlePadEvent(const SDL_Event& event);
    void HandlePadButton(Uint8 button, bool down);
    void HandlePadSwitch(Uint8 axis, int position);
    // A menu key given by the pad.
    void PressMenuKey(SDL_Scancode key);
    void UpdateMouseCapture();
    void ReturnToMainMenu();
    void HandleMenuKey(SDL_Scancode key);
    void ChooseMainMenuEntry();
    void ChooseInGameMenuEntry();
    void HandleOptionsKey(SDL_Scancode key);
    void ApplyOption(int selected);
    void ApplyControlsOption(int selected);
    void AdjustSetting(int selected, int change);
    void ToggleMusic();
    void ApplyWindowMode(bool fullscreen);

    // Menu drawing helpers.
    void AdvanceMenuBlink();
    int DrawMenuEntries(SDL_Surface* target);
    void DrawDarkenedGame();
    void PresentMenuCanvas();
    std::string OptionsValue(int place) const;
    std::string ControlsValue(int place) const;
    int OptionsPlaceRow(int place) const;

    // The images of the game; the editor's play-test keeps those it has
    // ("font", and all of them after a first try that failed half way).
    void LoadStartupImages(bool keepLoaded = false);
    // What the playing step needs besides images and sounds: the texture tables
    // and flags, the map, the raycaster and the flash images.
    void InitWorld();
    // Pads plugged in now and later, with the mappings of the data folder.
    void StartGamepad();
    // A map just read: a fresh start of the player's hand, keys and map score,
    // the visibility grid, no flashes.
    void BeginMapPlay();
    void BuildTextureRectangles();
    void CreateFlashScreens();
    SDL_Surface* FrameSurface() const { return mFramework->GetSurface(); }
    void CaptureMenuBackground();
    MenuStruct* FindMenu(const std::string& id) const;
    void RunStateWork();
};
