#include "gameplay/player.h"

#include "core/game.h"
#include "core/utils.h"
#include "gameplay/projectile.h"
#include "world/map_names.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr double WALK_SPEED = 8.0;
constexpr double RUN_SPEED = 16.0;
constexpr double TURN_STEP = 30.0;
constexpr double EYE_HEIGHT = 32.0;
constexpr double FLOOR_EYE_HEIGHT = 8.0;
constexpr double SINK_STEP = 4.0;
constexpr int DEATH_PAUSE_FRAMES = 30;
} // namespace

void Player::Init(double x, double y, double angle)
{
    mHealth = 100;
    mType = EntityType::Player;
    mAlive = true;
    mAnimationDelay = 1;
    mAnimationCounter = 1;
    mX = x;
    mY = y;
    mZ = EYE_HEIGHT;
    mSpeed = WALK_SPEED;
    mDeltaX = 0;
    mDeltaY = 0;
    mAngle = angle;
    CalculateDistance();
    mAmmo = 8;
    mScrolls = 0;
    mTotalScore = 0;
    mMapScore = 0;
    mKeys = 0;
    mWeapons = WEAPON_FIREBALL_BIT;
    mCurrentWeapon = WEAPON_FIREBALL;
    mHandState = 0;
    mHandCounter = 0;
    mHandOffset = -64;
    mFireLatch = false;
    mDeathPause = true;
}

void Player::CalculateDistance()
{
    mDistance = DepthAlongFacing(mX, mY, mAngle);
}

bool Player::IsHeld(KeyAction action) const
{
    return mGame->mSettings.Binding(action).mPressed;
}

void Player::Release(KeyAction action)
{
    mGame->mSettings.Binding(action).mPressed = false;
}

void Player::Action()
{
    mDeltaX = 0;
    mDeltaY = 0;
    if (!mAlive)
    {
        return;
    }
    mSpeed = IsHeld(KeyAction::Run) ? RUN_SPEED : WALK_SPEED;
    const PadSticks sticks = mGame->ReadPadSticks();
    TurnAndStrafe();
    TurnByMouseAndStick(sticks.turn);
    Walk();
    WalkByStick(sticks);
    ChooseWeapon();
    Fire();
    Move();
    UseDoors();
    CheckExit();
}

void Player::TurnAndStrafe()
{
    const Raycaster& tables = *mGame->mRaycaster;
    const bool strafe = IsHeld(KeyAction::Strafe);
    if (IsHeld(KeyAction::TurnLeft))
    {
        const int angle = static_cast<int>(mAngle);
        if (strafe)
        {
            mDeltaX = tables.mSin[angle] * mSpeed;
            mDeltaY = -tables.mCos[angle] * mSpeed;
        }
        else
        {
            mAngle -= TURN_STEP;
            if (mAngle < 0)
            {
                mAngle += FULL_TURN;
            }
        }
    }
    if (IsHeld(KeyAction::TurnRight))
    {
        const int angle = static_cast<int>(mAngle);
        if (strafe)
        {
            mDeltaX = -tables.mSin[angle] * mSpeed;
            mDeltaY = tables.mCos[angle] * mSpeed;
        }
        else
        {
            mAngle += TURN_STEP;
            if (mAngle >= FULL_TURN)
            {
                mAngle -= FULL_TURN;
            }
        }
    }
}

void Player::TurnByMouseAndStick(double stickTurn)
{
    // The mouse's turn since the last frame and the stick's for this one, in
    // hundredths of an angle unit: the player turns by whole units and the
    // rest waits for the next frame, so a slow mouse still turns.
    std::int64_t& pending = mGame->mPendingTurn;
    pending += std::llround(stickTurn * TURN_STEP * GameSettings::TURN_PARTS);
    const std::int64_t whole = pending / GameSettings::TURN_PARTS;
    pending -= whole * GameSettings::TURN_PARTS;
    mAngle = std::fmod(mAngle + static_cast<double>(whole % FULL_TURN), FULL_TURN);
    if (mAngle < 0)
    {
        mAngle += FULL_TURN;
    }
}

void Player::Walk()
{
    const Raycaster& tables = *mGame->mRaycaster;
    const int angle = static_cast<int>(mAngle);
    if (IsHeld(KeyAction::MoveBackward))
    {
        mDeltaX = -tables.mCos[angle] * mSpeed;
        mDeltaY = -tables.mSin[angle] * mSpeed;
    }
    if (IsHeld(KeyAction::MoveForward))
    {
        mDeltaX = tables.mCos[angle] * mSpeed;
        mDeltaY = tables.mSin[angle] * mSpeed;
    }
}

void Player::WalkByStick(const PadSticks& sticks)
{
    // A pushed stick walks and strafes at once, as far as it is pushed, in
    // place of the keys' step.
    if (sticks.walk == 0 && sticks.strafe == 0)
    {
        return;
    }
    const Raycaster& tables = *mGame->mRaycaster;
    const int angle = static_cast<int>(mAngle);
    const double cos = tables.mCos[angle];
    const double sin = tables.mSin[angle];
    mDeltaX = (cos * sticks.walk - sin * sticks.strafe) * mSpeed;
    mDeltaY = (sin * sticks.walk + cos * sticks.strafe) * mSpeed;
}

void Player::ChooseWeapon()
{
    if (IsHeld(KeyAction::SelectFireball) && mAmmo > 0 && (mWeapons & WEAPON_FIREBALL_BIT))
    {
        mCurrentWeapon = WEAPON_FIREBALL;
    }
    if (IsHeld(KeyAction::SelectScroll) && mScrolls > 0 && (mWeapons & WEAPON_SCROLL_BIT))
    {
        mCurrentWeapon = WEAPON_SCROLL;
    }
}

void Player::Fire()
{
    if (!IsHeld(KeyAction::Fire))
    {
        mFireLatch = false;
        return;
    }
    if (mFireLatch)
    {
        return;
    }
    if (mCurrentWeapon == WEAPON_FIREBALL && mAmmo != 0 && !Projectile::AirIsFull(*mGame))
    {
        mFireLatch = true;
        AddProjectile(mX, mY, mAngle);
        --mAmmo;
    }
    else if (mCurrentWeapon == WEAPON_SCROLL && mScrolls > 0)
    {
        mFireLatch = true;
        mGame->InitEradicateScreen();
        --mScrolls;
    }
    // One key press gives at most one shot.
    Release(KeyAction::Fire);
}

void Player::Move()
{
    const double startX = mX;
    const double startY = mY;
    mGame->mMap->CollisionDetection(this, mGame->GetPlayer(), mGame);
    const double movedX = mX;
    const double movedY = mY;

    // The player keeps 32 units off every enemy, whatever the walls allow.
    std::vector<const Entity*> enemies;
    for (const auto& entity : mGame->mEntities)
    {
        if (entity->mType == EntityType::Enemy)
        {
            enemies.push_back(entity.get());
        }
    }
    for (const Entity* enemy : enemies)
    {
        mX = std::trunc(startX) + mDeltaX;
        mY = std::trunc(startY) + mDeltaY;
        if (IsCloseTo(enemy->mX, enemy->mY))
        {
            mX = std::trunc(startX);
            mY = std::trunc(startY);
            return;
        }
        mX = std::trunc(movedX);
        mY = std::trunc(movedY);
    }
}

void Player::UseDoors()
{
    if (!IsHeld(KeyAction::Use))
    {
        return;
    }
    const Raycaster& tables = *mGame->mRaycaster;
    const int angle = static_cast<int>(mAngle);
    const int probeX = static_cast<int>(std::trunc(mX) + tables.mCos[angle] * mSpeed);
    const int probeY = static_cast<int>(std::trunc(mY) + tables.mSin[angle] * mSpeed);
    for (int row = (probeY - 16) / TILE_SIZE; row <= (probeY + 16) / TILE_SIZE; ++row)
    {
        for (int column = (probeX - 16) / TILE_SIZE; column <= (probeX + 16) / TILE_SIZE; ++column)
        {
            UseTile(column, row);
        }
    }
}

void Player::UseTile(int column, int row)
{
    Map& map = *mGame->mMap;
    const int texture = (map.GetTile(column, row, TileType::WallsAndDoors) & ~DOOR_FLAG) - 1;
    if (texture < 0 || texture >= static_cast<int>(mGame->mTextureFlags.size()))
    {
        return;
    }
    const TextureFlagsType& flags = mGame->mTextureFlags[texture];
    if (!flags.isDoor || flags.keyType == KEY_EXIT)
    {
        return;
    }
    if (flags.keyType == KEY_NONE)
    {
        map.StartDoor(mGame, column, row);
        return;
    }
    const std::uint32_t keyBit = KeyBitOf(flags.keyType);
    DoorInfo* door = FindDoor(column, row);
    if (door != nullptr && !door->locked)
    {
        map.StartDoor(mGame, column, row);
    }
    else if (mKeys & keyBit)
    {
        // The key stays in the lock: the door is unlocked for good.
        map.StartDoor(mGame, column, row);
        mKeys &= ~keyBit;
    }
    else
    {
        mGame->mAudioManager->PlaySound("nope.wav");
        Release(KeyAction::Use);
    }
}

DoorInfo* Player::FindDoor(int column, int row) const
{
    for (const auto& door : mGame->mMap->mDoors)
    {
        if (door->tileX == column && door->tileY == row)
        {
            return door.get();
        }
    }
    return nullptr;
}

void Player::CheckExit()
{
    const Map& map = *mGame->mMap;
    const double corners[4][2] = {
        {mX + 32, mY + 32}, {mX - 32, mY - 32}, {mX - 32, mY + 32}, {mX + 32, mY - 32}};
    bool atExit = false;
    for (const auto& corner : corners)
    {
        const int x = static_cast<int>(corner[0] * 0.015625);
        const int y = static_cast<int>(corner[1] * 0.015625);
        atExit = atExit || map.CheckTileType(x, y) == Walls::EXIT_DOOR;
    }
    if (!atExit)
    {
        return;
    }
    const bool lastMap = mGame->mCurrentMap + 1 >= static_cast<int>(mGame->mMapList.size());
    mGame->mCurrentMusic =
        lastMap ? QuillUtils::THE_END_MUSIC_FILENAME : QuillUtils::MAP_COMPLETED_MUSIC_FILENAME;
    mGame->mAudioManager->PlayMusic(mGame->mCurrentMusic, true);
    mGame->ClearPlayerKeys();
    mGame->SwitchGameState(lastMap ? GameState::TheEnd : GameState::NextMap);
}

void Player::Update()
{
    if (mHealth > 0)
    {
        return;
    }
    if (--mAnimationCounter > 0)
    {
        return;
    }
    mAnimationCounter = mAnimationDelay;
    if (mZ > FLOOR_EYE_HEIGHT)
    {
        // The view sinks to the floor...
        mZ = std::max(mZ - SINK_STEP, FLOOR_EYE_HEIGHT);
    }
    else if (mDeathPause)
    {
        // ...rests there a moment...
        mAnimationCounter = DEATH_PAUSE_FRAMES;
        mDeathPause = false;
    }
    else
    {
        // ...and the run is over.
        mGame->mCurrentMusic = QuillUtils::TITLE_MUSIC_FILENAME;
        mGame->mAudioManager->PlayMusic(mGame->mCurrentMusic, true);
        mGame->SwitchGameState(GameState::MainMenu);
    }
}

void Player::AddProjectile(double x, double y, double angle)
{
    auto projectile = std::make_unique<Projectile>(mGame);
    projectile->Init(static_cast<int>(x), static_cast<int>(y), angle, EntityType::PlayerProjectile);
    mGame->mEntities.push_back(std::move(projectile));
    mGame->mAudioManager->PlaySound("fire.wav");
}
