#include "core/game.h"

#include <stdexcept>
#include <string>

namespace
{
struct WorldImage
{
    const char* key;
    const char* file;
};

// The images the 3D view draws from: the two texture atlases and the sprites.
constexpr WorldImage WORLD_IMAGES[] = {{"walls", "walls.png"},
                                       {"ceilingsAndFloors", "cfs.png"},
                                       {"items", "items.png"},
                                       {"projectiles", "projectiles.png"},
                                       {"enemy", "enemy.png"}};
} // namespace

void Game::InitWorldView(const std::string& gfxDirectory)
{
    mFramework = std::make_unique<Framework>();
    mFramework->Init(false, false, false);
    mAudioManager = std::make_unique<AudioManager>();
    mImageManager = std::make_unique<ImageManager>();
    for (const WorldImage& image : WORLD_IMAGES)
    {
        mImageManager->AddImage(gfxDirectory + "/" + image.file, image.key,
                                mFramework->GetRendererInfo(), true);
    }
    BuildTextureRectangles();
    InitTextureFlags();
    mMap = std::make_unique<Map>();
    mRaycaster = std::make_unique<Raycaster>();
    mRaycaster->Init(mTextureFlags, mFramework->GetSurface()->w);
}

void Game::StepWorld()
{
    mMap->OpenDoors(this);
    KeepOccupiedDoorsOpen();
    mMap->CloseDoors(this);
    mRaycaster->RotateAnimations();
}

SDL_Surface* Game::DrawWorldView()
{
    SDL_Surface* frame = mFramework->mSurface.Get<SDL_Surface>();
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 0, 0, 0));
    mRaycaster->RayCaster(MakeWorldView());
    return frame;
}

WorldView Game::MakeWorldView()
{
    return {*mMap,          mTextureFlags, mWallRects,   mCeilingFloorRects,
            *mImageManager, mEntities,     *GetPlayer(), mFramework->mSurface.Get<SDL_Surface>()};
}
