#include "game/stage_loader.h"

#include "core/package.h"
#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "game/helpers.h"
#include "graph/display_plane.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/switch.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "logic/device_handler.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kEnterKey = 28;
constexpr Float kSplashAspect = 1.6f;
constexpr Float kFourToThree = 1.3333334f;
constexpr UInt32 kComputerFamily = 256;

// Where the title sits for the display; false leaves it where the graph put it.
Bool TitlePosition(Float longSide, Float aspect, Float& y)
{
    if (longSide >= 1280.0f) {
        y = -40.0f;
        return aspect > kSplashAspect;
    }
    if (aspect <= kFourToThree)
        return false;
    if (aspect <= 1.5f)
        y = AlignToPixelGrid(-12.0f, 0.0f, 1.0f);
    else if (aspect <= kSplashAspect)
        y = -14.0f;
    else
        y = -50.0f;
    return true;
}

// The first namespace met walking down from the node, always to the first child.
Graph::INamespace* FirstNamespace(Graph::INode* node)
{
    while (node != nullptr) {
        if (Graph::INamespace* nameSpace = dynamic_cast<Graph::INamespace*>(node))
            return nameSpace;
        node = node->GetNumberOfChildren() > 0 ? node->GetChild(0) : nullptr;
    }
    return nullptr;
}

} // namespace

StageLoader::StartupLogic::StartupLogic(Logic::IFactory* factory, Float longSide, Float shortSide)
    : Logic::BaseChildProcessor(factory), mLongSide(longSide), mShortSide(shortSide)
{
}

Bool StageLoader::StartupLogic::OnInit(Logic::IState* state)
{
    Graph::IRoot* root = state->GetGraphRoot();
    Logic::GraphNodeT<Graph::ITransform> ring;
    if (!ring.GetReference(root, String("/loader_kringel/loader_kringel_pos"))->IsValid())
        return false;
    ring.GetNode()->SetActiveAndVisible(true);
    ring.Get()->SetPosition(590.0f, 50.0f - mShortSide * 0.5f, 0.0f);
    ring.Remove();

    const Float aspect = mLongSide / mShortSide;
    const String titlePath("/loader_title/gfx_title.jpg");
    Logic::GraphNodeT<Graph::IDisplayPlane> title;
    if (title.GetReference(root, titlePath)->IsValid()) {
        const Float ratio = title.Get()->GetScaleFactorX() / title.Get()->GetScaleFactorY();
        Float y = 0.0f;
        if (ratio <= kFourToThree && TitlePosition(mLongSide, aspect, y)) {
            Logic::GraphNodeT<Graph::ITransform> place;
            if (place.GetReference(root, titlePath)->IsValid())
                place.Get()->SetPosition(0.0f, y, 0.0f);
            place.Remove();
        }
    }
    title.Remove();

    Logic::GraphNodeT<Graph::ISwitch> splash;
    if (splash.GetReference(root, String("/splash_switch"))->IsValid()) {
        splash.Get()->SetIndex(0);
        const Bool fitToHeight = state->GetConfiguration()->IsDeviceClass(kComputerFamily) || aspect < kSplashAspect;
        const UInt32 count = splash.GetNode()->GetNumberOfChildren();
        for (UInt32 child = 0; child + 1 < count; ++child) {
            Graph::INamespace* nameSpace = FirstNamespace(splash.GetNode()->GetChild(child));
            if (nameSpace == nullptr)
                continue;
            Graph::INode* scaleNode = nameSpace->FindNode(String("scale"));
            if (scaleNode == nullptr)
                continue;
            if (Graph::IScalable* scalable = dynamic_cast<Graph::IScalable*>(scaleNode)) {
                if (fitToHeight)
                    scalable->SetScaleFactor(kSplashAspect / aspect, kSplashAspect / aspect, 1.0f);
                else if (aspect > kSplashAspect)
                    scalable->SetScaleFactor(aspect / kSplashAspect, aspect / kSplashAspect, 1.0f);
            }
            scaleNode->RemoveReference();
        }
    }
    splash.Remove();
    return true;
}

StageLoader::StageLoader(Logic::IFactory* factory, AppContext* context, Float longSide, Float shortSide)
    : Logic::BaseStage(factory, String("loader_stage_id"), String("loader_stage")),
      mContext(context),
      mSplashPending(false),
      mCountdown(0.0),
      mStartupLogic(factory, longSide, shortSide),
      mLoaderPackage(nullptr)
{
}

StageLoader::~StageLoader() {}

Bool StageLoader::OnInit(Logic::IState* state, Logic::IStageProcessor*)
{
    mSplashPending = true;
    mCountdown = kFirstSplashSeconds;
    Graph::IRoot* root = state->GetGraphRoot();
    mScreen.GetReference(root, String("/stage_loader"));
    if (mSplashSwitch.GetReference(root, String("/splash_switch"))->IsValid())
        mSplashSwitch.Get()->SetIndex(0);
    mStage->CreateStageTimeline(state, String("/stage_loader/screen_timeline"), 0.25f, 0.5f);
    return true;
}

Bool StageLoader::OnDeInit(Logic::IState*, Logic::IStageProcessor*)
{
    const Bool screen = mScreen.Remove();
    return mSplashSwitch.Remove() && screen;
}

void StageLoader::OnStageRunning(Logic::IState* state, Logic::IStageProcessor*)
{
    if (mCountdown > 0.0) {
        Logic::IDeviceHandler* devices = state->GetDeviceHandler();
        const Bool skip = devices->WasMouseButtonPressed(Enums::MouseButton::LEFT) ||
                          devices->WasMouseButtonPressed(Enums::MouseButton::RIGHT) ||
                          devices->WasMouseButtonPressed(Enums::MouseButton::MIDDLE) ||
                          devices->WasTouchPressed(0) || devices->WasRawKeyPressed(kEnterKey);
        mCountdown = skip ? 0.0 : mCountdown - state->GetCurrentTickDuration();
    }
    if (mCountdown > 0.0 || !mSplashPending || mSplashSwitch.Get() == nullptr)
        return;
    const SInt32 next = mSplashSwitch.Get()->GetIndex() + 1;
    if (next < SInt32(mSplashSwitch.Get()->GetNumberOfIndices())) {
        mSplashSwitch.Get()->SetIndex(next);
        mCountdown = kNextSplashSeconds;
    }
}

Bool StageLoader::IsLoaderShown()
{
    if (mSplashPending) {
        if (mLoaderPackage == nullptr || mLoaderPackage->IsBusy() || !mLoaderPackage->Load())
            return false;
    }
    if (mStage->IsRunState(Logic::IStage::kRunning))
        return false;
    if (mScreen.GetNode() != nullptr)
        mScreen.GetNode()->SetVisible(!mSplashPending);
    mStage->RequestStart();
    return true;
}

Bool StageLoader::IsLoaderDone()
{
    if (!mStage->IsIdle()) {
        if (mCountdown <= 0.0 && mStage->IsRunState(Logic::IStage::kRunning)) {
            mStage->RequestStop();
            mSplashPending = false;
            mCountdown = 0.0;
            mSplashSwitch.Remove();
        }
        return false;
    }
    if (mLoaderPackage != nullptr)
        mLoaderPackage->Unload();
    return true;
}

} // namespace App
} // namespace Vorn
