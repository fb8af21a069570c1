#pragma once

#include "core/game_settings.h"
#include "core/gamepad.h"
#include "world/entity.h"

#include <cstdint>

// Weapon bits and numbers.
constexpr std::uint32_t WEAPON_FIREBALL_BIT = 1;
constexpr std::uint32_t WEAPON_SCROLL_BIT = 2;
constexpr std::int32_t WEAPON_FIREBALL = 1;
constexpr std::int32_t WEAPON_SCROLL = 2;

// Key bits of mKeys.
constexpr std::uint32_t KEY_BLUE_BIT = 1;
constexpr std::uint32_t KEY_ORANGE_BIT = 2;
constexpr std::uint32_t KEY_BRONZE_BIT = 4;

// The bit of mKeys that holds the key of a door's key type; 0 for no key.
inline std::uint32_t KeyBitOf(std::int32_t keyType)
{
    switch (keyType)
    {
    case KEY_BLUE:
        return KEY_BLUE_BIT;
    case KEY_ORANGE:
        return KEY_ORANGE_BIT;
    case KEY_BRONZE:
        return KEY_BRONZE_BIT;
    default:
        return 0;
    }
}

// The entity the user steers.
class Player : public Entity
{
public:
    explicit Player(Game* game) : Entity(game) {}

    void Init(double x, double y, double angle);
    void CalculateDistance();
    // The player's turn: movement, weapons, firing, doors and the exit test.
    void Action();
    // The death sequence: sink, pause, back to the main menu.
    void Update();
    void AddProjectile(double x, double y, double angle);

    std::int32_t mAmmo = 0;
    std::int32_t mScrolls = 0;
    std::int32_t mTotalScore = 0;
    std::int32_t mMapScore = 0;
    std::uint32_t mKeys = 0;
    std::uint32_t mWeapons = 0;
    std::int32_t mCurrentWeapon = 0;
    std::int32_t mHandState = 0;
    std::int32_t mHandCounter = 0;
    std::int32_t mHandOffset = 0;
    bool mFireLatch = false;
    bool mDeathPause = false;

private:
    bool IsHeld(KeyAction action) const;
    void Release(KeyAction action);
    void TurnAndStrafe();
    void TurnByMouseAndStick(double stickTurn);
    void Walk();
    void WalkByStick(const PadSticks& sticks);
    void ChooseWeapon();
    void Fire();
    // Applies the step against the walls, then keeps off enemies.
    void Move();
    void UseDoors();
    void UseTile(int column, int row);
    DoorInfo* FindDoor(int column, int row) const;
    void CheckExit();
};
