// The editor's input: painting with the mouse, the command keys and the prompt
// machine (file names, map sizes, the quit question and the messages).
#include "core/game.h"
#include "core/utils.h"
#include "world/map_names.h"

#include <algorithm>
#include <stdexcept>

namespace
{
constexpr int CELL_PIXELS = 8;
const std::string MAP_EXTENSION = ".map";

// Every key of the editor's command table; pressed while a message is shown,
// any of them only dismisses it.
constexpr SDL_Scancode COMMAND_KEYS[] = {
    SDL_SCANCODE_A,      SDL_SCANCODE_C,   SDL_SCANCODE_F,      SDL_SCANCODE_H,
    SDL_SCANCODE_N,      SDL_SCANCODE_O,   SDL_SCANCODE_S,      SDL_SCANCODE_V,
    SDL_SCANCODE_Y,      SDL_SCANCODE_Z,   SDL_SCANCODE_RETURN, SDL_SCANCODE_BACKSPACE,
    SDL_SCANCODE_F2,     SDL_SCANCODE_F5,  SDL_SCANCODE_F6,     SDL_SCANCODE_F7,
    SDL_SCANCODE_F8,     SDL_SCANCODE_F9,  SDL_SCANCODE_INSERT, SDL_SCANCODE_HOME,
    SDL_SCANCODE_DELETE, SDL_SCANCODE_END, SDL_SCANCODE_P};

bool IsCommandKey(SDL_Scancode key)
{
    return std::find(std::begin(COMMAND_KEYS), std::end(COMMAND_KEYS), key) !=
           std::end(COMMAND_KEYS);
}

bool IsMessage(EditorActionState state)
{
    return static_cast<std::int32_t>(state) < 0;
}

bool IsTextPrompt(EditorActionState state)
{
    return state == EditorActionState::NewOrOpen || state == EditorActionState::Save ||
           state == EditorActionState::EnterWidth || state == EditorActionState::EnterHeight;
}

bool IsSizePrompt(EditorActionState state)
{
    return state == EditorActionState::EnterWidth || state == EditorActionState::EnterHeight;
}

// The cell under a window pixel; a position left of or above the window (the
// mouse is captured while a button is held) lies outside the map.
int CellOf(int pixel)
{
    return pixel < 0 ? -1 : pixel / CELL_PIXELS;
}

int PaintButtonOf(Uint32 heldButtons)
{
    if ((heldButtons & SDL_BUTTON_LMASK) != 0)
    {
        return 1;
    }
    return (heldButtons & SDL_BUTTON_RMASK) != 0 ? 2 : 0;
}

int PaintButtonOf(Uint8 button)
{
    if (button == SDL_BUTTON_LEFT)
    {
        return 1;
    }
    return button == SDL_BUTTON_RIGHT ? 2 : 0;
}

void LeaveEventsForNextPass()
{
#if SDL_VERSION_ATLEAST(2, 26, 0)
    // Polling marks the end of the events it found with a sentinel; left in
    // the queue it would make the next pass stop before the waiting events.
    SDL_FlushEvent(SDL_POLLSENTINEL);
#endif
}

std::string WithoutLastMapExtension(const std::string& name)
{
    const std::size_t extension = name.rfind(MAP_EXTENSION);
    if (extension == std::string::npos)
    {
        return name;
    }
    return name.substr(0, extension) + name.substr(extension + MAP_EXTENSION.size());
}
} // namespace

template <typename Change> void Game::EditorChange(Change change)
{
    EditorEndStroke();
    const std::string before = EditorMapText();
    change();
    EditorRecordChange(before);
}

bool Game::EditorHandleEvent(const SDL_Event& event)
{
    const bool messageWasShown = IsMessage(mEditorAction);
    switch (event.type)
    {
    case SDL_QUIT:
        EditorCancel();
        break;
    case SDL_KEYDOWN:
        EditorHandleKey(event.key.keysym);
        break;
    case SDL_MOUSEMOTION:
        EditorHandleMouse(event.motion.x, event.motion.y, PaintButtonOf(event.motion.state));
        break;
    case SDL_MOUSEBUTTONDOWN:
        // A press starts a stroke of its own.
        EditorEndStroke();
        EditorHandleMouse(event.button.x, event.button.y, PaintButtonOf(event.button.button));
        break;
    case SDL_MOUSEBUTTONUP:
        EditorEndStroke();
        break;
    case SDL_TEXTINPUT:
        EditorHandleText(event.text.text);
        break;
    default:
        break;
    }
    EditorForgetOutdatedCheck();
    if (!messageWasShown && IsMessage(mEditorAction))
    {
        // A message that has just appeared is drawn before anything can
        // dismiss it: a mouse move queued behind the Return of a save would
        // otherwise end the program before the user ever saw the map saved.
        LeaveEventsForNextPass();
        return false;
    }
    return true;
}

void Game::EditorHandleKey(const SDL_Keysym& keysym)
{
    const SDL_Scancode key = keysym.scancode;
    // Whatever a key does, the stroke in progress is one step of its own.
    EditorEndStroke();
    if (key == SDL_SCANCODE_ESCAPE)
    {
        EditorCancel();
        return;
    }
    if (!IsCommandKey(key))
    {
        return;
    }
    if (IsMessage(mEditorAction))
    {
        EditorDismissMessage();
        return;
    }
    if (mEditorAction == EditorActionState::None)
    {
        EditorRunCommand(keysym);
        return;
    }
    if (mEditorAction == EditorActionState::QuitConfirm)
    {
        if (key == SDL_SCANCODE_Y)
        {
            mRunning = false;
        }
        else if (key == SDL_SCANCODE_N)
        {
            mEditorAction = EditorActionState::Save;
            mQuitAfterSave = true;
            EditorAction();
        }
        return;
    }
    // The four text prompts.
    if (key == SDL_SCANCODE_RETURN)
    {
        EditorSubmitInput();
    }
    else if (key == SDL_SCANCODE_BACKSPACE && !mInputText.empty())
    {
        mInputText.pop_back();
    }
    else if (key == SDL_SCANCODE_F2 && mEditorAction == EditorActionState::NewOrOpen)
    {
        mEditorAction = EditorActionState::EnterWidth;
        EditorAction();
    }
}

void Game::EditorRunCommand(const SDL_Keysym& keysym)
{
    const bool cursorOnMap = mCursorX != -1 && mCursorY != -1;
    const bool control = (keysym.mod & KMOD_CTRL) != 0;
    const bool shift = (keysym.mod & KMOD_SHIFT) != 0;
    switch (keysym.scancode)
    {
    case SDL_SCANCODE_A:
        if (cursorOnMap)
        {
            EditorChange([this] { EditorTurnPlayer(); });
        }
        break;
    case SDL_SCANCODE_C:
        mCurrentLayer = (mCurrentLayer + 1) % MapLayers::COUNT;
        break;
    case SDL_SCANCODE_F:
        EditorChange([this, shift] { EditorFill(shift ? 1 : 0); });
        break;
    case SDL_SCANCODE_P:
        EditorStartPlayTest();
        break;
    case SDL_SCANCODE_H:
        if (cursorOnMap)
        {
            EditorChange([this] { EditorClearCell(mCursorX, mCursorY); });
        }
        break;
    case SDL_SCANCODE_Y:
        if (control)
        {
            EditorRedo();
        }
        break;
    case SDL_SCANCODE_Z:
        if (control && shift)
        {
            EditorRedo();
        }
        else if (control)
        {
            EditorUndo();
        }
        break;
    case SDL_SCANCODE_O:
        mEditorAction = EditorActionState::NewOrOpen;
        EditorAction();
        break;
    case SDL_SCANCODE_S:
        mEditorAction = EditorActionState::Save;
        EditorAction();
        break;
    case SDL_SCANCODE_V:
        EditorCheckMap();
        break;
    case SDL_SCANCODE_F5:
        mShowWalls = !mShowWalls;
        break;
    case SDL_SCANCODE_F6:
        mShowFloors = !mShowFloors;
        break;
    case SDL_SCANCODE_F7:
        mShowEntities = !mShowEntities;
        break;
    case SDL_SCANCODE_F8:
        EditorChange([this] { EditorClearLayer(); });
        break;
    case SDL_SCANCODE_F9:
        EditorInitResizeMap();
        break;
    case SDL_SCANCODE_INSERT:
        EditorStepSelection(0, 1);
        break;
    case SDL_SCANCODE_DELETE:
        EditorStepSelection(0, -1);
        break;
    case SDL_SCANCODE_HOME:
        EditorStepSelection(1, 1);
        break;
    case SDL_SCANCODE_END:
        EditorStepSelection(1, -1);
        break;
    default:
        break;
    }
}

void Game::EditorHandleMouse(int x, int y, int button)
{
    if (mEditorAction == EditorActionState::None)
    {
        const int cellX = CellOf(x);
        const int cellY = CellOf(y);
        if (button == 0)
        {
            EditorEndStroke();
            EditorSetTile(0, cellX, cellY);
            return;
        }
        if (!mEditorStroke)
        {
            mEditorStroke = EditorStroke{EditorMapText(), cellX, cellY};
            EditorSetTile(button, cellX, cellY);
        }
        else
        {
            // A fast drag skips cells between two motion events; the line
            // between them is painted whole.
            EditorPaintLine(button, mEditorStroke->lastX, mEditorStroke->lastY, cellX, cellY);
        }
        mEditorStroke->lastX = cellX;
        mEditorStroke->lastY = cellY;
    }
    else if (IsMessage(mEditorAction))
    {
        EditorDismissMessage();
    }
}

void Game::EditorHandleText(const std::string& text)
{
    if (mEditorAction == EditorActionState::NewOrOpen || mEditorAction == EditorActionState::Save)
    {
        mInputText += text;
    }
    else if (IsSizePrompt(mEditorAction) && !text.empty() && text[0] >= '0' && text[0] <= '9')
    {
        mInputText += text;
    }
}

void Game::EditorCancel()
{
    switch (mEditorAction)
    {
    case EditorActionState::None:
        // Nothing records unsaved changes, so leaving always asks.
        mEditorAction = EditorActionState::QuitConfirm;
        break;
    case EditorActionState::SaveSucceeded:
        // A save asked for by the quit question still ends the program.
        mEditorAction = EditorActionState::None;
        mResizing = false;
        break;
    default:
        mQuitAfterSave = false;
        mEditorAction = EditorActionState::None;
        mResizing = false;
        break;
    }
    EditorAction();
}

void Game::EditorDismissMessage()
{
    if (mEditorAction != EditorActionState::SaveSucceeded)
    {
        mQuitAfterSave = false;
    }
    mEditorAction = EditorActionState::None;
    EditorAction();
}

void Game::EditorSubmitInput()
{
    if (QuillUtils::IsOnlyWhitespaces(mInputText))
    {
        return;
    }
    switch (mEditorAction)
    {
    case EditorActionState::NewOrOpen:
        if (!EditorOpensAsIs(mInputText))
        {
            mInputText += MAP_EXTENSION;
        }
        if (!EditorLoadMap())
        {
            mEditorAction = EditorActionState::OpenFailed;
            EditorAction();
        }
        break;
    case EditorActionState::Save:
        mInputText += MAP_EXTENSION;
        mEditorAction =
            EditorSaveMap() ? EditorActionState::SaveSucceeded : EditorActionState::SaveFailed;
        EditorAction();
        break;
    case EditorActionState::EnterWidth:
    case EditorActionState::EnterHeight:
        EditorSubmitSize();
        break;
    default:
        break;
    }
}

void Game::EditorSubmitSize()
{
    int size = 0;
    try
    {
        size = std::stoi(mInputText);
    }
    catch (const std::logic_error&)
    {
        // More digits than an int holds: refused like any size out of range.
        return;
    }
    if (size < 1 || size > EditorMap::MAX_SIZE)
    {
        return;
    }
    if (mEditorAction == EditorActionState::EnterWidth)
    {
        mNewWidth = size;
        mEditorAction = EditorActionState::EnterHeight;
        EditorAction();
        return;
    }
    mNewHeight = size;
    if (mResizing)
    {
        EditorChange([this] { EditorResizeMap(); });
    }
    else
    {
        EditorNewMap();
    }
}

void Game::EditorInitResizeMap()
{
    mResizing = true;
    mEditorAction = EditorActionState::EnterWidth;
    EditorAction();
}

void Game::EditorAction()
{
    // Text typed while one text prompt leads to the next (the width's Return
    // followed at once by the height's digits) stays in the queue; every other
    // change drops pending text, so the key that opened a prompt is not typed
    // into it.
    if (!(IsTextPrompt(mEditorAction) && SDL_IsTextInputActive()))
    {
        SDL_StopTextInput();
        SDL_FlushEvent(SDL_TEXTINPUT);
    }

    switch (mEditorAction)
    {
    case EditorActionState::PlayTestRefused:
        mPromptTitle = "Error";
        mPromptMessage = mPlayTestProblem;
        return;
    case EditorActionState::MapChecked:
        mPromptTitle = "Check Map";
        mPromptMessage = EditorCheckMessage();
        return;
    case EditorActionState::PlayerExists:
        mPromptTitle = "Error";
        mPromptMessage = "A player object already exists on the map! Please remove it before "
                         "adding a new one.";
        return;
    case EditorActionState::SaveSucceeded:
        mPromptTitle = "Save Map";
        mPromptMessage = mMapName + " map saved succesfully!";
        return;
    case EditorActionState::SaveFailed:
        mPromptTitle = "Save Map";
        mPromptMessage = "Error while trying to save map file: " + mInputText;
        return;
    case EditorActionState::OpenFailed:
        mPromptTitle = "Open Map";
        mPromptMessage = "Error while trying to open map file: " + mInputText;
        return;
    default:
        break;
    }

    mInputText.clear();
    switch (mEditorAction)
    {
    case EditorActionState::NewOrOpen:
        SDL_StartTextInput();
        mPromptTitle = "New / Open Map";
        mPromptMessage = "Please enter the map filename without the file extension, press F2 for "
                         "a new map,\nor press ESC to cancel.";
        break;
    case EditorActionState::Save:
        if (!mMapName.empty())
        {
            mInputText = WithoutLastMapExtension(mMapName);
        }
        SDL_StartTextInput();
        mPromptTitle = "Save Map";
        mPromptMessage = "Please enter the map filename without the file extension, or press ESC "
                         "to cancel.";
        break;
    case EditorActionState::QuitConfirm:
        mPromptTitle = "Are you sure you want to quit without saving?";
        mPromptMessage =
            "Press Y to quit without saving, N to save the map and quit, or ESC to cancel.";
        break;
    case EditorActionState::EnterWidth:
    case EditorActionState::EnterHeight:
        SDL_StartTextInput();
        mPromptTitle = mResizing ? "Resize Map" : "New Map";
        mPromptMessage = std::string("Please enter the map ") +
                         (mEditorAction == EditorActionState::EnterWidth ? "width" : "height") +
                         " (allowed range: 1 to 64), or press ESC to cancel.";
        break;
    default:
        break;
    }

    if (mEditorAction == EditorActionState::None && mQuitAfterSave)
    {
        // The save the quit question asked for is done and acknowledged.
        mRunning = false;
    }
}

void Game::EditorRecordChange(const std::string& before)
{
    // A command that changed nothing (H on an empty cell) is no step.
    if (EditorMapText() != before)
    {
        mEditorHistory.Record(before);
    }
}

void Game::EditorEndStroke()
{
    if (mEditorStroke)
    {
        const std::string before = std::move(mEditorStroke->before);
        mEditorStroke.reset();
        EditorRecordChange(before);
    }
}

void Game::EditorUndo()
{
    if (const std::optional<std::string> previous = mEditorHistory.Undo(EditorMapText()))
    {
        EditorRestoreMap(*previous);
    }
}

void Game::EditorRedo()
{
    if (const std::optional<std::string> next = mEditorHistory.Redo(EditorMapText()))
    {
        EditorRestoreMap(*next);
    }
}
