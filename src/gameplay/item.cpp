#include "gameplay/item.h"

#include "core/game.h"

#include <stdexcept>

namespace
{
// Frame x of each item kind in the "items" strip, Health to BronzeKey.
constexpr int ITEM_FRAME_X[] = {64, 0, 128, 192, 256, 320, 384};
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

void Item::Action() {}
