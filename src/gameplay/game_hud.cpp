#include "core/frame_pacing.h"
#include "core/game.h"
#include "gameplay/player.h"

#include <algorithm>

namespace
{
constexpr int CELL = 16;
// Icons of the "hud" strip, by their x.
constexpr int ICON_HEALTH = 0;
constexpr int ICON_FIREBALL = 16;
constexpr int ICON_SCROLL = 32;
constexpr int ICON_BLUE_KEY = 48;
constexpr int ICON_ORANGE_KEY = 64;
constexpr int ICON_BRONZE_KEY = 80;
constexpr int ICON_SCORE = 96;

constexpr int HAND_SIZE = 64;
constexpr int HAND_HIDDEN = -64;
constexpr int HAND_STEP = 5;
constexpr int HAND_HOLD_FRAMES = 32;

void DrawIcon(SDL_Surface* icons, int iconX, SDL_Surface* frame, int x, int y)
{
    SDL_Rect source{iconX, 0, CELL, CELL};
    SDL_Rect destination{x, y, CELL, CELL};
    SDL_UpperBlit(icons, &source, frame, &destination);
}
} // namespace

void Game::RenderHUD(Player* player)
{
    SDL_Surface* frame = FrameSurface();
    SDL_Surface* icons = mImageManager->GetImage("hud");
    SDL_Surface* digits = mImageManager->GetImage("hudFont");
    const int w = frame->w;
    const int h = frame->h;

    DrawIcon(icons, ICON_HEALTH, frame, 0, h - CELL);
    mFont->RenderHUDNumber(player->mHealth, digits, frame, CELL, h - CELL, 3);

    if (player->mCurrentWeapon == WEAPON_FIREBALL)
    {
        mFont->RenderHUDNumber(player->mAmmo, digits, frame, w - 3 * CELL, h - CELL, 3);
    }
    else if (player->mCurrentWeapon == WEAPON_SCROLL)
    {
        mFont->RenderHUDNumber(player->mScrolls, digits, frame, w - 3 * CELL, h - CELL, 3);
    }
    DrawIcon(icons, player->mCurrentWeapon == WEAPON_FIREBALL ? ICON_FIREBALL : ICON_SCROLL, frame,
             w - 4 * CELL, h - CELL);

    if (player->mKeys & KEY_BLUE_BIT)
    {
        DrawIcon(icons, ICON_BLUE_KEY, frame, 80, h - CELL);
    }
    if (player->mKeys & KEY_ORANGE_BIT)
    {
        DrawIcon(icons, ICON_ORANGE_KEY, frame, 96, h - CELL);
    }
    if (player->mKeys & KEY_BRONZE_BIT)
    {
        DrawIcon(icons, ICON_BRONZE_KEY, frame, 112, h - CELL);
    }

    DrawIcon(icons, ICON_SCORE, frame, w / 2 - 56, 0);
    mFont->RenderHUDNumber(player->mTotalScore, digits, frame, w / 2 - 40, 0, 6);
}

void Game::RenderHand(Player* player)
{
    if (!IsSlowFrame(mFrameTime, false))
    {
        if (player->mFireLatch)
        {
            // A shot this turn: raise the hand and count from the shot.
            player->mHandState = 1;
            player->mHandCounter = 1;
            player->mHandOffset = std::min(player->mHandOffset + HAND_STEP, 0);
            player->mHandCounter = 2;
        }
        else if (player->mHandCounter != 0 && player->mHandState == 1)
        {
            ++player->mHandCounter;
            player->mHandOffset = std::min(player->mHandOffset + HAND_STEP, 0);
            if (player->mHandCounter > HAND_HOLD_FRAMES)
            {
                player->mHandCounter = 0;
            }
        }
        else if (player->mHandCounter == 0)
        {
            player->mHandState = 0;
            if (player->mHandOffset <= HAND_HIDDEN)
            {
                player->mHandOffset = HAND_HIDDEN;
                player->mHandState = -1;
            }
            else
            {
                player->mHandOffset = std::max(player->mHandOffset - HAND_STEP, HAND_HIDDEN);
            }
        }
    }
    if (player->mHandOffset >= HAND_HIDDEN + 1)
    {
        SDL_Surface* frame = FrameSurface();
        SDL_Rect destination{frame->w / 2 - HAND_SIZE / 2,
                             frame->h - HAND_SIZE - player->mHandOffset, HAND_SIZE, HAND_SIZE};
        SDL_UpperBlit(mImageManager->GetImage("hand"), nullptr, frame, &destination);
    }
}
