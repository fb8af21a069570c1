// The bar's numbers and icons, and the hand's timeline.

#include "core/utils.h"
#include "playing_game.h"

namespace
{
class Hud : public PlayingGame
{
protected:
    void SetUp() override
    {
        Start({"######", "#....#", "#.@..#", "#....#", "######"});
        for (const char* key : {"hud", "hudFont", "hand"})
        {
            // Drawn images may be stored run-length encoded; read them unpacked.
            SDL_SetSurfaceRLE(game().mImageManager->GetImage(key), 0);
        }
    }
    // Whether the frame shows every opaque pixel of the image's cell at (x, y).
    bool Shows(const char* key, SDL_Rect cell, int x, int y)
    {
        SDL_Surface* image = game().mImageManager->GetImage(key);
        int opaque = 0;
        int missing = 0;
        for (int row = 0; row < cell.h; ++row)
        {
            for (int column = 0; column < cell.w; ++column)
            {
                Uint8 r, g, b, a;
                SDL_GetRGBA(QuillUtils::GetPixel(image, cell.x + column, cell.y + row),
                            image->format, &r, &g, &b, &a);
                opaque += a == 255 ? 1 : 0;
                missing += a == 255 && mTest->FramePixel(x + column, y + row) != Rgb{r, g, b};
            }
        }
        return opaque > 0 && missing == 0;
    }
    bool ShowsIcon(int x, int y, int iconX) { return Shows("hud", {iconX, 0, 16, 16}, x, y); }
    bool ShowsNumber(int x, int y, const std::string& digits)
    {
        bool shown = true;
        for (std::size_t i = 0; i < digits.size(); ++i)
        {
            shown = shown && Shows("hudFont", {(digits[i] - '0') * 16, 0, 16, 16},
                                   x + 16 * static_cast<int>(i), y);
        }
        return shown;
    }
};
} // namespace

TEST_F(Hud, ShowsHealthWeaponKeysAndScore)
{
    // Health and the weapon's count in three digits at the bottom, each after
    // its icon; the keys between them; the score's lowest six digits at the top.
    player().mHealth = 5;
    player().mTotalScore = 1234567;
    player().mAmmo = 42;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsIcon(0, 224, 0) && ShowsNumber(16, 224, "005"));
    EXPECT_TRUE(ShowsIcon(256, 224, 16) && ShowsNumber(272, 224, "042"));
    EXPECT_TRUE(ShowsIcon(104, 0, 96) && ShowsNumber(120, 0, "234567"));
    EXPECT_FALSE(ShowsIcon(80, 224, 48));
    // A score below zero shows as zero.
    player().mHealth = 100;
    player().mKeys = KEY_BLUE_BIT | KEY_BRONZE_BIT;
    player().mTotalScore = -50;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsNumber(16, 224, "100"));
    EXPECT_TRUE(ShowsIcon(80, 224, 48) && ShowsIcon(112, 224, 80));
    EXPECT_FALSE(ShowsIcon(96, 224, 64));
    EXPECT_TRUE(ShowsNumber(120, 0, "000000"));
    // The scroll in hand shows its count, and stays chosen when the last is fired.
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    player().mCurrentWeapon = WEAPON_SCROLL;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsIcon(256, 224, 32) && ShowsNumber(272, 224, "001"));
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsIcon(256, 224, 32) && ShowsNumber(272, 224, "000"));
}

TEST_F(Hud, TheHandRisesWithAShotHoldsAndFalls)
{
    std::vector<int> offsets;
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    for (int frame = 0; frame < 50; ++frame)
    {
        mTest->RunFrames(1);
        offsets.push_back(player().mHandOffset);
        mTest->KeyUp(SDL_SCANCODE_LCTRL);
    }
    // Thirteen frames up, held until 32 frames after the shot, thirteen down.
    EXPECT_EQ(std::vector<int>(
                  {offsets[0], offsets[11], offsets[12], offsets[31], offsets[32], offsets[44]}),
              std::vector<int>({-59, -4, 0, 0, -5, -64}));
    EXPECT_EQ(player().mHandState, -1);
    // A second shot while it is up keeps it up; fully up it sits on the bottom
    // edge, centred.
    mTest->TapKey(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(19);
    mTest->TapKey(SDL_SCANCODE_LCTRL);
    for (int frame = 0; frame < 30; ++frame)
    {
        mTest->RunFrames(1);
        EXPECT_EQ(player().mHandOffset, 0) << frame;
    }
    EXPECT_TRUE(Shows("hand", {0, 0, 64, 64}, 128, 176));
}
