#include "game/app_processor.h"

#include <cmath>

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/vector.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "graph/display_plane_sequence.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/transform/transform.h"
#include "graph/view/camera.h"
#include "logic/device_handler.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr Float kSceneWidth = 1280.0f;
constexpr Float kFitAspect = 1.6f;
constexpr Float kTallAspect = 1.4f;
constexpr Float kTallOffset = 120.0f;
constexpr UInt32 kDesktop = 0x100;

// Nearest whole number, halves rounded up.
SInt32 RoundHalfUp(Float value)
{
    return SInt32(std::floor(value + 0.5f));
}

} // namespace

AppProcessor::AppProcessor(Logic::IFactory* factory, GameState* gameState, Float width, Float height)
    : Logic::BaseChildProcessor(factory),
      mInitialWidth(width),
      mInitialHeight(height),
      mDisplayWidth(width),
      mDisplayHeight(height),
      mGameState(gameState),
      mFitHeight(true),
      mVisibleHeight(800.0f),
      mUnitsPerPixel(1.0f),
      mIsDesktop(false),
      mHasPointer(false),
      mDisplayStamp(0)
{
    // The application's pixel grid starts at one unit until the camera is fitted.
    SetUnitsPerPixel(mUnitsPerPixel);
}

AppProcessor::~AppProcessor() {}

Bool AppProcessor::ChooseFitMode(Float width, Float height)
{
    const Float aspect = width / height;
    if (aspect > kFitAspect)
        return !(width == 1280.0f || width == 1024.0f || width == 800.0f || width == 512.0f);
    if (aspect < kFitAspect)
        return height == 800.0f || height == 640.0f || height == 500.0f || height == 320.0f;
    return false;
}

void AppProcessor::SetupCamera(Bool fitHeight)
{
    mFitHeight = fitHeight;
    const Float aspect = mDisplayWidth / mDisplayHeight;
    mVisibleHeight = aspect < kTallAspect ? 960.0f : 800.0f;
    Float visibleWidth;
    Float visibleHeight;
    if (fitHeight) {
        mUnitsPerPixel = mVisibleHeight / mDisplayHeight;
        visibleWidth = std::fmin(mDisplayWidth * mUnitsPerPixel, kSceneWidth);
        visibleHeight = mVisibleHeight;
    } else {
        mUnitsPerPixel = kSceneWidth / mDisplayWidth;
        visibleWidth = kSceneWidth;
        visibleHeight = std::fmin(mDisplayHeight * mUnitsPerPixel, mVisibleHeight);
    }
    Float offset = 0.0f;
    if (aspect < kTallAspect) {
        offset = kTallOffset;
        visibleHeight -= kTallOffset;
    }
    SetUnitsPerPixel(mUnitsPerPixel);
    if (mGameState != nullptr)
        mGameState->SetViewFloats(visibleWidth, visibleHeight, offset);
    ApplyCamera();
}

void AppProcessor::ApplyCamera()
{
    Graph::ICamera* camera = mCamera.Get();
    if (camera == nullptr)
        return;
    // Half the visible extent: the screen camera stands at twice its near plane, where the
    // volume is twice as wide as at the near plane. The other axis follows the display's aspect.
    if (mFitHeight)
        camera->SetFieldOfView(0.0f, mVisibleHeight * 0.5f);
    else
        camera->SetFieldOfView(kSceneWidth * 0.5f, 0.0f);
    if (!mIsDesktop)
        return;
    Float width;
    Float height;
    if (mFitHeight) {
        width = mDisplayHeight * kSceneWidth / mVisibleHeight;
        height = mDisplayHeight;
    } else {
        width = mDisplayWidth;
        height = mVisibleHeight * mDisplayWidth / kSceneWidth;
    }
    const SInt32 halfWidth = RoundHalfUp((width + 0.9f) * 0.5f);
    const SInt32 halfHeight = RoundHalfUp((height + 0.9f) * 0.5f);
    camera->SetMaskAnchors(Enums::HorizontalAlignment(1), Enums::HorizontalAlignment(1), Enums::VerticalAlignment(1),
                           Enums::VerticalAlignment(1));
    camera->SetMaskCoords(-halfWidth, halfWidth, halfHeight, -halfHeight);
}

Bool AppProcessor::OnInit(Logic::IState* state)
{
    IConfiguration* configuration = state->GetConfiguration();
    Graph::IRoot* root = state->GetGraphRoot();
    mIsDesktop = configuration->IsDeviceModel(kDesktop);
    mHasPointer = false;
    if (mIsDesktop) {
        Logic::GraphINode pointer;
        mHasPointer = pointer.GetReference(root, String("/mouse/pointer"))->IsValid();
        pointer.Remove();
    }
    mProcessor->AddGraphNode(mCamera.GetReference(root, String("/camera")));
    mProcessor->AddGraphNode(mCameraTransform.GetReference(root, String("/camera")));
    mProcessor->AddGraphNode(mMouse.GetReference(root, String("/mouse")));
    // A graph without a pointer is allowed: the pointer parts stay inactive.
    if (mHasPointer) {
        mProcessor->AddGraphNode(mPointerImages.GetReference(root, String("/mouse/pointer")));
        mProcessor->AddGraphNode(mPointerTransform.GetReference(root, String("/mouse/pointer")));
    }
    if (!mProcessor->AreGraphNodesValid())
        return false;
    mDisplayStamp = configuration->GetCurrentStamp();
    ApplyCamera();
    if (mHasPointer)
        SelectPointer(kDefaultPointer);
    return true;
}

Bool AppProcessor::OnDeInit(Logic::IState*)
{
    return true;
}

void AppProcessor::OnStep(Logic::IState* state)
{
    if (!mIsDesktop)
        return;
    IConfiguration* configuration = state->GetConfiguration();
    if (!configuration->HasDisplaySizeChanged(mDisplayStamp))
        return;
    mDisplayStamp = configuration->GetCurrentStamp();
    mDisplayWidth = Float(configuration->GetDisplayWidth());
    mDisplayHeight = Float(configuration->GetDisplayHeight());
    SetupCamera(ChooseFitMode(mDisplayWidth, mDisplayHeight));
}

void AppProcessor::OnAnimate(Logic::IState* state)
{
    if (!mHasPointer || mCamera.Get() == nullptr || mPointerImages.Get() == nullptr)
        return;
    Logic::IDeviceHandler* devices = state->GetDeviceHandler();
    Float x = 0.0f;
    Float y = 0.0f;
    devices->GetMousePosition(x, y);
    const Float depth = -mCameraTransform.Get()->GetTransform().Get(2, 3);
    Math::Vector<float> point;
    mCamera.Get()->UnprojectScreenPoint(point, x, y, depth);
    const Bool inside = std::fabs(point.x) <= kSceneWidth * 0.5f &&
                        std::fabs(point.y) <= mVisibleHeight * 0.5f && devices->IsMouseInsideWindow();
    state->GetConfiguration()->SetCursorHidden(inside);
    if (mMouse.GetNode() != nullptr)
        mMouse.GetNode()->SetActiveAndVisible(inside);
    const Float width = mPointerImages.Get()->GetCurrentSizeX();
    const Float height = mPointerImages.Get()->GetCurrentSizeY();
    mPointerTransform.Get()->SetPosition(point.x + (width * 0.5f - 3.0f), point.y - (height * 0.5f - 4.0f),
                                         0.0001f);
}

void AppProcessor::SelectPointer(UInt32 image)
{
    if (mPointerImages.Get() != nullptr)
        mPointerImages.Get()->SetIndex(SInt32(image));
}

void AppProcessor::SetPointerForWeapon(UInt32 kind)
{
    static const UInt32 kImages[] = {10, 1, 4, kDefaultPointer, 13, 13, 11, 2};
    if (mHasPointer)
        SelectPointer(kind < sizeof(kImages) / sizeof(kImages[0]) ? kImages[kind] : kDefaultPointer);
}

void AppProcessor::SetPointerForAnimal(UInt32 kind)
{
    static const UInt32 kImages[] = {2, 7, 3, 0, 5, 8, 9, 14, 12};
    if (mHasPointer)
        SelectPointer(kind >= 5 && kind <= 13 ? kImages[kind - 5] : kDefaultPointer);
}

Bool AppProcessor::SetDefaultPointer()
{
    if (!mHasPointer)
        return false;
    SelectPointer(kDefaultPointer);
    return true;
}

} // namespace App
} // namespace Vorn
