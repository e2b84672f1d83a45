#include "game/play/play_field.h"

#include "game/app_context.h"
#include "graph/namespace.h"
#include "graph/node.h"

namespace Vorn {
namespace App {

Playfield::Playfield(AppContext* context)
    : mContext(context),
      mGameState(context->GetGameState()),
      mAppProcessor(context->GetAppProcessor()),
      mSoundContainer(context->GetSoundContainer()),
      mScoresFonts(context->GetScoresFontContainer()),
      mAnimalContainer(mGameState, &mExplosionHandler),
      mAnimalSelector(&mAnimalContainer),
      mCourseHandler(mGameState, &mAnimalContainer, &mExplosionHandler, &mFlyingObjects, mSoundContainer),
      mClouds(mGameState),
      mViewWidth(0.0f),
      mViewHeight(0.0f),
      mNumberOfViewScales(0)
{
}

Bool Playfield::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    if (nameSpace == nullptr)
        return false;
    // The framebuffer is optional: without it a view change rescales without the flash.
    if (Graph::INode* framebuffer = nameSpace->FindNode(basePath + "/framebuffer")) {
        mFramebuffer.GetReference(framebuffer);
        framebuffer->RemoveReference();
    }
    return mAnimalContainer.Init(nameSpace, basePath) && mCourseHandler.Init(nameSpace, basePath) &&
           mClouds.Init(nameSpace, basePath) && mScoreTexts.Init(nameSpace, basePath);
}

Bool Playfield::DeInit()
{
    Bool done = mScoreTexts.DeInit();
    done = mClouds.DeInit() && done;
    done = mCourseHandler.DeInit() && done;
    mFlyingObjects.Reset();
    done = mAnimalContainer.DeInit() && done;
    return mFramebuffer.Remove() && done;
}

void Playfield::Reset()
{
    mGameState->Reset();
    mAnimalContainer.ReleaseAll();
    mAnimalSelector.Clear();
    mFlyingObjects.Reset();
    mCourseHandler.Reset();
    mClouds.ReleaseAll();
    mScoreTexts.ReleaseAll();
}

void Playfield::SetViewScale(Float width, Float height)
{
    mViewWidth = width;
    mViewHeight = height;
    ++mNumberOfViewScales;
}

} // namespace App
} // namespace Vorn
