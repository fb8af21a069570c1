#include "gameplay/item.h"

#include "core/game.h"
#include "gameplay/player.h"

#include <algorithm>
#include <stdexcept>

namespace
{
// Frame x of each item kind in the "items" strip, Health to BronzeKey.
constexpr int ITEM_FRAME_X[] = {64, 0, 128, 192, 256, 320, 384};
constexpr int MAX_HEALTH = 100;
constexpr int MAX_AMMO = 100;
constexpr int MAX_SCROLLS = 3;
constexpr int HEALTH_GAIN = 10;
constexpr int AMMO_GAIN = 8;
constexpr int ORB_POINTS = 50;

// The key type of the doors a key item opens.
std::int32_t KeyTypeOf(EntityType type)
{
    switch (type)
    {
    case EntityType::BlueKey:
        return KEY_BLUE;
    case EntityType::OrangeKey:
        return KEY_ORANGE;
    default:
        return KEY_BRONZE;
    }
}
} // namespace

void Item::Init(double x, double y, double /*angle*/, EntityType type, Entity* player)
{
    if (!IsItemType(type))
    {
        throw std::runtime_error("Item type unknown!");
    }
    mX = x;
    mY = y;
    mSpeed = 1;
    mAlive = true;
    mTextureName = "items";
    mType = type;
    mSourceRect = {ITEM_FRAME_X[static_cast<int>(type) - 1], 0, 64, 64};
    mDistance = DepthAlongFacing(x - player->mX, y - player->mY, player->mAngle);
}

void Item::Action()
{
    if (!mAlive)
    {
        return;
    }
    Player* player = mGame->GetPlayerRecord();
    if (!IsCloseTo(player->mX, player->mY) || !GiveTo(*player))
    {
        return;
    }
    mGame->mAudioManager->PlaySound("pick_up.wav");
    mGame->InitPickUpScreen();
    mAlive = false;
}

bool Item::GiveTo(Player& player) const
{
    switch (mType)
    {
    case EntityType::Health:
        if (player.mHealth == MAX_HEALTH)
        {
            return false;
        }
        player.mHealth = std::min(player.mHealth + HEALTH_GAIN, MAX_HEALTH);
        return true;
    case EntityType::Ammo:
        if (player.mAmmo == MAX_AMMO)
        {
            return false;
        }
        player.mAmmo = std::min(player.mAmmo + AMMO_GAIN, MAX_AMMO);
        return true;
    case EntityType::Orb:
        player.mTotalScore += ORB_POINTS;
        player.mMapScore += ORB_POINTS;
        return true;
    case EntityType::Scroll:
        if (player.mScrolls == MAX_SCROLLS)
        {
            return false;
        }
        player.mScrolls = std::min(player.mScrolls + 1, MAX_SCROLLS);
        if (!(player.mWeapons & WEAPON_SCROLL_BIT))
        {
            // The first scroll ever taken is put in hand at once.
            player.mWeapons |= WEAPON_SCROLL_BIT;
            player.mCurrentWeapon = WEAPON_SCROLL;
        }
        return true;
    default:
    {
        const std::uint32_t keyBit = KeyBitOf(KeyTypeOf(mType));
        if (player.mKeys & keyBit)
        {
            return false;
        }
        player.mKeys |= keyBit;
        return true;
    }
    }
}
