#include "core/frame_pacing.h"
#include "core/game.h"
#include "core/utils.h"
#include "gameplay/player.h"
#include "world/map_file.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace
{
// Text drawn centred on the frame at height y.
void DrawCentred(const Font& font, const std::string& text, SDL_Surface* glyphs, SDL_Surface* frame,
                 int y)
{
    const int width = static_cast<int>(text.size()) * Font::GLYPH_SIZE;
    font.RenderString(text, glyphs, frame, (frame->w - width) / 2, y);
}
} // namespace

bool Game::ReadMapConfig()
{
    std::ifstream file(mPaths.MapListFile());
    if (!file)
    {
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line))
    {
        ++lineNumber;
        line = QuillUtils::StripCarriageReturn(line);
        // Blank lines (a trailing one, say) name no map and are passed over.
        if (QuillUtils::IsOnlyWhitespaces(line))
        {
            continue;
        }
        const std::vector<std::string> entries = QuillUtils::SplitAtSpaces(line);
        if (entries.size() > 2)
        {
            throw std::runtime_error("Line (" + std::to_string(lineNumber) +
                                     ") contains more than two entries!");
        }
        // A line that starts with a space names no map; loading "data/maps/"
        // would fail later with nothing to say which line is wrong.
        if (entries[0].empty())
        {
            throw std::runtime_error("Line (" + std::to_string(lineNumber) +
                                     ") names no map file!");
        }
        auto entry = std::make_unique<MapListEntry>();
        entry->mapFile = entries[0];
        entry->musicFile = entries.size() > 1 ? entries[1] : "";
        mMapList.push_back(std::move(entry));
    }
    return true;
}

void Game::LoadMap(bool newGame)
{
    mCurrentMap = newGame ? 0 : mCurrentMap + 1;
    mGameInProgress = true;
    mMap->ClearMap();
    ClearEntities(!newGame);

    const MapListEntry& entry = *mMapList.at(static_cast<std::size_t>(mCurrentMap));
    const std::string path = mPaths.MapFile(entry.mapFile);
    if (!mMap->OpenMap(path, this, newGame))
    {
        throw MapOpenError(path);
    }
    BeginMapPlay();
    mLoadNextMap = false;

    mCurrentMusic = entry.musicFile;
    mAudioManager->PlayMusic(mCurrentMusic, true);
    SwitchGameState(GameState::Game);
}

namespace
{
void AdvanceBlink(int frameTime, std::int32_t& blinkCounter, bool& cursorBlink, bool inputGuard,
                  int& guardCounter)
{
    if (!IsSlowFrame(frameTime))
    {
        ++blinkCounter;
        if (inputGuard)
        {
            ++guardCounter;
        }
    }
    if (blinkCounter > 15)
    {
        cursorBlink = !cursorBlink;
        blinkCounter = 0;
    }
}

void DrawImageCentred(SDL_Surface* image, SDL_Surface* frame, int spaceBelow)
{
    SDL_Rect destination{(frame->w - image->w) / 2, (frame->h - image->h - spaceBelow) / 2,
                         image->w, image->h};
    SDL_UpperBlit(image, nullptr, frame, &destination);
}
} // namespace

void Game::BeginMapPlay()
{
    Player* player = GetPlayerRecord();
    player->mMapScore = 0;
    player->mKeys = 0;
    player->mHandState = 0;
    player->mHandCounter = 0;
    player->mHandOffset = -64;
    player->mFireLatch = false;

    mRaycaster->SetVisArray(mMap->mWidth, mMap->mHeight);
    mPickUpScreenActive = false;
    mHitScreenActive = false;
    mEradicateScreenActive = false;
}

void Game::NextMap()
{
    AdvanceBlink(mFrameTime, mBlinkCounter, mCursorBlink, mInputGuard, mGuardCounter);
    SDL_Surface* frame = FrameSurface();
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    DrawImageCentred(mImageManager->GetImage("mapCompleted"), frame, 72);
    const Player* player = GetPlayerRecord();
    DrawCentred(*mFont,
                "Map Score " + std::to_string(player->mMapScore) + " / " +
                    std::to_string(mMap->mMaxScore),
                glyphs, frame, frame->h / 2);
    if (mCursorBlink)
    {
        DrawCentred(*mFont, "Press any key to continue", glyphs, frame, (frame->h + 40) / 2);
    }
}

void Game::TheEnd()
{
    AdvanceBlink(mFrameTime, mBlinkCounter, mCursorBlink, mInputGuard, mGuardCounter);
    SDL_Surface* frame = FrameSurface();
    SDL_Surface* glyphs = mImageManager->GetImage("font");
    DrawImageCentred(mImageManager->GetImage("theEnd"), frame, 48);
    const Player* player = GetPlayerRecord();
    DrawCentred(*mFont,
                "Total Score " + std::to_string(player->mTotalScore) + " / " +
                    std::to_string(mHighScoreTotal),
                glyphs, frame, frame->h / 2);
    if (mCursorBlink)
    {
        DrawCentred(*mFont, "Press any key", glyphs, frame, (frame->h + 40) / 2);
    }
}
