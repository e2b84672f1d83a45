#include "game/play/play_field.h"

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/particles.h"
#include "graph/namespace.h"
#include "graph/node.h"

namespace Vorn {
namespace App {

const char* const Playfield::kFramebufferPath = "/framebuffer";

Playfield::Playfield(AppContext* context)
    : mContext(context),
      mGameState(context->GetGameState()),
      mAppProcessor(context->GetAppProcessor()),
      mSoundContainer(context->GetSoundContainer()),
      mParticleContainer(context->GetParticleContainer()),
      mScoresFonts(context->GetScoresFontContainer()),
      mPopup(context->GetPopup()),
      mAshExplosions(mGameState),
      mIceExplosions(mGameState),
      mExplosionHandler(mParticleContainer, &mAshExplosions, &mIceExplosions),
      mAnimalContainer(mGameState, &mExplosionHandler),
      mAnimalSelector(&mAnimalContainer),
      mWeaponContainer(mGameState, &mExplosionHandler, mSoundContainer),
      mObstacleContainer(mGameState, &mExplosionHandler, mSoundContainer),
      mFlyingObjects(mGameState, &mAnimalContainer, &mWeaponContainer, &mObstacleContainer, &mExplosionHandler,
                     mSoundContainer),
      mCourseHandler(mGameState, &mAnimalContainer, &mExplosionHandler, &mFlyingObjects, mSoundContainer),
      mClouds(mGameState),
      mSnow(mGameState, mParticleContainer),
      mViewWidth(0.0f),
      mViewHeight(0.0f),
      mNumberOfViewScales(0)
{
}

Playfield::~Playfield() {}

Bool Playfield::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    if (nameSpace == nullptr)
        return false;
    // The framebuffer is optional: without it a view change rescales without the flash.
    if (Graph::INode* framebuffer = nameSpace->FindNode(String(kFramebufferPath))) {
        mFramebuffer.GetReference(framebuffer);
        framebuffer->RemoveReference();
    }
    return mAshExplosions.Init(nameSpace, basePath) && mIceExplosions.Init(nameSpace, basePath) &&
           mAnimalContainer.Init(nameSpace, basePath) && mWeaponContainer.Init(nameSpace, basePath) &&
           mAssetContainer.Init(String(kFramebufferPath), basePath) && mObstacleContainer.Init(nameSpace, basePath) &&
           mFlyingObjects.Init() && mCourseHandler.Init(nameSpace, basePath) && mClouds.Init(nameSpace, basePath) &&
           mScoreTexts.Init(nameSpace, basePath);
}

Bool Playfield::DeInit()
{
    Bool done = mScoreTexts.DeInit();
    done = mClouds.DeInit() && done;
    done = mCourseHandler.DeInit() && done;
    done = mFlyingObjects.DeInit() && done;
    done = mObstacleContainer.DeInit() && done;
    done = mAssetContainer.DeInit() && done;
    done = mWeaponContainer.DeInit() && done;
    done = mAnimalContainer.DeInit() && done;
    done = mIceExplosions.DeInit() && done;
    done = mAshExplosions.DeInit() && done;
    return mFramebuffer.Remove() && done;
}

void Playfield::Reset()
{
    mGameState->Reset();
    if (mParticleContainer != nullptr)
        mParticleContainer->ReleaseAll();
    mAshExplosions.ReleaseAll();
    mIceExplosions.ReleaseAll();
    mAnimalContainer.ReleaseAll();
    mAnimalSelector.Clear();
    mWeaponContainer.ReleaseAll();
    mAssetContainer.ReleaseAll();
    mObstacleContainer.Reset();
    mFlyingObjects.Reset();
    mCourseHandler.Reset();
    mClouds.ReleaseAll();
    mSnow.Reset();
    mScoreTexts.ReleaseAll();
}

void Playfield::SetViewScale(Float width, Float height)
{
    mViewWidth = width;
    mViewHeight = height;
    ++mNumberOfViewScales;
    mAssetContainer.SetBackgroundScale(width, height);
}

} // namespace App
} // namespace Vorn
