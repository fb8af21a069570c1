#include "core/utils.h"
#include "gameplay/player.h"
#include "support/test_maps.h"

#include <gtest/gtest.h>

namespace
{
const std::vector<std::string> ROOM = {
    "######",
    "#....#",
    "#.@..#",
    "#....#",
    "######",
};

// Counts the opaque pixels of a source cell that the frame does not show at
// the given place; 0 means the cell is drawn there.
int MissingPixels(SDL_Surface* frame, int x, int y, SDL_Surface* image, SDL_Rect cell)
{
    int missing = 0;
    for (int row = 0; row < cell.h; ++row)
    {
        for (int column = 0; column < cell.w; ++column)
        {
            Uint8 r, g, b, a;
            SDL_GetRGBA(QuillUtils::GetPixel(image, cell.x + column, cell.y + row), image->format,
                        &r, &g, &b, &a);
            if (a != 255)
            {
                continue;
            }
            const Rgb shown = TestGame::PixelAt(frame, x + column, y + row);
            missing += shown != Rgb{r, g, b} ? 1 : 0;
        }
    }
    return missing;
}

int OpaquePixels(SDL_Surface* image, SDL_Rect cell)
{
    int opaque = 0;
    for (int row = 0; row < cell.h; ++row)
    {
        for (int column = 0; column < cell.w; ++column)
        {
            Uint8 r, g, b, a;
            SDL_GetRGBA(QuillUtils::GetPixel(image, cell.x + column, cell.y + row), image->format,
                        &r, &g, &b, &a);
            opaque += a == 255 ? 1 : 0;
        }
    }
    return opaque;
}

class Hud : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mTest = std::make_unique<TestGame>(OptionsWithMaps({{"hud.map", BuildMapText(ROOM), ""}}));
        game().LoadMap(true);
        SDL_Surface* hud = game().mImageManager->GetImage("hud");
        SDL_Surface* digits = game().mImageManager->GetImage("hudFont");
        SDL_Surface* hand = game().mImageManager->GetImage("hand");
        for (SDL_Surface* image : {hud, digits, hand})
        {
            // Drawn images may be stored run-length encoded; read them unpacked.
            SDL_SetSurfaceRLE(image, 0);
        }
    }
    Game& game() { return mTest->game(); }
    Player& player() { return *game().GetPlayerRecord(); }
    SDL_Surface* Image(const char* key) { return game().mImageManager->GetImage(key); }
    // Whether the frame shows digit d in the 16 x 16 cell at (x, y).
    bool ShowsDigit(int x, int y, int digit)
    {
        return MissingPixels(mTest->Frame(), x, y, Image("hudFont"), {digit * 16, 0, 16, 16}) == 0;
    }
    bool ShowsNumber(int x, int y, const std::string& digits)
    {
        for (std::size_t i = 0; i < digits.size(); ++i)
        {
            if (!ShowsDigit(x + 16 * static_cast<int>(i), y, digits[i] - '0'))
            {
                return false;
            }
        }
        return true;
    }
    bool ShowsIcon(int x, int y, int iconX)
    {
        return MissingPixels(mTest->Frame(), x, y, Image("hud"), {iconX, 0, 16, 16}) == 0;
    }

    std::unique_ptr<TestGame> mTest;
};
} // namespace

TEST_F(Hud, ShowsHealthWeaponKeysAndScore)
{
    player().mHealth = 5;
    player().mTotalScore = 1234567;
    player().mAmmo = 42;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsIcon(0, 224, 0));
    EXPECT_TRUE(ShowsNumber(16, 224, "005"));
    EXPECT_TRUE(ShowsIcon(256, 224, 16));
    EXPECT_TRUE(ShowsNumber(272, 224, "042"));
    EXPECT_TRUE(ShowsIcon(104, 0, 96));
    EXPECT_TRUE(ShowsNumber(120, 0, "234567"));
    EXPECT_FALSE(ShowsIcon(80, 224, 48));

    player().mHealth = 100;
    player().mKeys = KEY_BLUE_BIT | KEY_BRONZE_BIT;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsNumber(16, 224, "100"));
    EXPECT_TRUE(ShowsIcon(80, 224, 48));
    EXPECT_FALSE(ShowsIcon(96, 224, 64));
    EXPECT_TRUE(ShowsIcon(112, 224, 80));
}

TEST_F(Hud, TheScrollStaysSelectedWithNoneLeft)
{
    player().mScrolls = 1;
    player().mWeapons |= WEAPON_SCROLL_BIT;
    player().mCurrentWeapon = WEAPON_SCROLL;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsIcon(256, 224, 32));
    EXPECT_TRUE(ShowsNumber(272, 224, "001"));
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    EXPECT_EQ(player().mCurrentWeapon, WEAPON_SCROLL);
    EXPECT_TRUE(ShowsIcon(256, 224, 32));
    EXPECT_TRUE(ShowsNumber(272, 224, "000"));
}

TEST_F(Hud, NegativeNumbersAreDrawnAsZero)
{
    player().mTotalScore = -50;
    mTest->RunFrames(1);
    EXPECT_TRUE(ShowsNumber(120, 0, "000000"));
}

TEST_F(Hud, TheHandRisesWithAShotHoldsAndFalls)
{
    SDL_Surface* hand = Image("hand");
    const SDL_Rect whole{0, 0, 64, 64};
    const int opaque = OpaquePixels(hand, whole);
    ASSERT_GT(opaque, 0);
    std::vector<int> offsets;
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    for (int frame = 0; frame < 50; ++frame)
    {
        mTest->RunFrames(1);
        offsets.push_back(player().mHandOffset);
        if (frame == 0)
        {
            mTest->KeyUp(SDL_SCANCODE_LCTRL);
        }
    }
    // Thirteen frames up, held until 32 frames after the shot, thirteen down.
    EXPECT_EQ(offsets[0], -59);
    EXPECT_EQ(offsets[11], -4);
    EXPECT_EQ(offsets[12], 0);
    EXPECT_EQ(offsets[31], 0);
    EXPECT_EQ(offsets[32], -5);
    EXPECT_EQ(offsets[44], -64);
    EXPECT_EQ(player().mHandState, -1);

    // Fully up it sits on the bottom edge, centred.
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(13);
    EXPECT_EQ(player().mHandOffset, 0);
    EXPECT_EQ(MissingPixels(mTest->Frame(), 128, 176, hand, whole), 0);
}

TEST_F(Hud, ASecondShotKeepsTheHandUp)
{
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(20);
    mTest->KeyDown(SDL_SCANCODE_LCTRL);
    mTest->RunFrames(1);
    mTest->KeyUp(SDL_SCANCODE_LCTRL);
    for (int frame = 0; frame < 30; ++frame)
    {
        mTest->RunFrames(1);
        EXPECT_EQ(player().mHandOffset, 0) << frame;
    }
}

TEST_F(Hud, ThePickUpFlashShowsOnceForTwoItems)
{
    game().InitPickUpScreen();
    std::vector<int> alphas;
    for (int frame = 0; frame < 5; ++frame)
    {
        mTest->RunFrames(1);
        alphas.push_back(game().mPickUpScreenActive ? game().mPickUpAlpha : 0);
        if (frame == 0)
        {
            // A second pick-up while the flash runs does not restart it.
            game().InitPickUpScreen();
        }
    }
    EXPECT_EQ(alphas, (std::vector<int>{128, 64, 64, 0, 0}));
}
