// The application-wide processor: fits the scene camera to the display, follows a change of the
// window size on desktops and draws the game's own mouse pointer.
#pragma once

#include "foundation/types.h"
#include "logic/base_child_processor.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class ICamera;
class IDisplayPlaneSequence;
class INamespace;
class ITransform;
} // namespace Graph

namespace App {

class GameState;

class AppProcessor : public Logic::BaseChildProcessor
{
public:
    // The pointer image shown when the player holds nothing.
    static constexpr UInt32 kDefaultPointer = 6;

    // The game state receives the visible area; it is not owned.
    AppProcessor(Logic::IFactory* factory, GameState* gameState, Float width, Float height);
    ~AppProcessor() override;

    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;
    void OnStep(Logic::IState* state) override;
    void OnAnimate(Logic::IState* state) override;

    // True fits the scene's visible height to the display, false its width of 1280.
    static Bool ChooseFitMode(Float width, Float height);
    void SetupCamera(Bool fitHeight);
    void ApplyCamera();

    void SetPointerForWeapon(UInt32 kind);
    void SetPointerForAnimal(UInt32 kind);
    Bool SetDefaultPointer();

    Float GetInitialWidth() const { return mInitialWidth; }
    Float GetInitialHeight() const { return mInitialHeight; }
    Bool IsFitHeight() const { return mFitHeight; }
    Float GetVisibleHeight() const { return mVisibleHeight; }
    // Scene units of one display pixel, the step of the pixel grid.
    Float GetUnitsPerPixel() const { return mUnitsPerPixel; }
    Bool HasPointer() const { return mHasPointer; }

private:
    void SelectPointer(UInt32 image);

    Float mInitialWidth;
    Float mInitialHeight;
    Float mDisplayWidth;
    Float mDisplayHeight;
    GameState* mGameState;
    Bool mFitHeight;
    Float mVisibleHeight;
    Float mUnitsPerPixel;
    Bool mIsDesktop;
    Bool mHasPointer;
    UInt32 mDisplayStamp;
    Logic::GraphNodeT<Graph::ICamera> mCamera;
    Logic::GraphNodeT<Graph::ITransform> mCameraTransform;
    Logic::GraphNodeT<Graph::INamespace> mMouse;
    Logic::GraphNodeT<Graph::IDisplayPlaneSequence> mPointerImages;
    Logic::GraphNodeT<Graph::ITransform> mPointerTransform;
};

} // namespace App
} // namespace Vorn
