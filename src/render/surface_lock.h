#pragma once

#include <SDL.h>

// Holds a surface locked for pixel access for as long as it lives, when the
// surface needs locking at all; Locked() tells whether access is allowed.
class SurfaceLock
{
public:
    explicit SurfaceLock(SDL_Surface* surface)
        : mSurface(surface), mMustLock(surface != nullptr && SDL_MUSTLOCK(surface)),
          mLocked(surface != nullptr && (!mMustLock || SDL_LockSurface(surface) == 0))
    {
    }
    ~SurfaceLock()
    {
        if (mMustLock && mLocked)
        {
            SDL_UnlockSurface(mSurface);
        }
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    bool Locked() const { return mLocked; }

private:
    SDL_Surface* mSurface;
    bool mMustLock;
    bool mLocked;
};
