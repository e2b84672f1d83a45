// The level's background and its decorations: a pool of decoration sprites built from the
// background package's "asset" template, and the nodes through which the background is chosen
// (campaign or zen), shown, framed and scaled to the view.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IDisplayPlane;
class IDisplayPlaneSequence;
class IIndexed;
class INamespace;
class IScalable;
class ISwitch;
} // namespace Graph

namespace App {

struct AssetEntry;

// One decoration: a plane sequence that shows one picture, turned, scaled and placed on the
// pixel grid.
class Asset : public GraphPositionObject
{
public:
    Asset();
    ~Asset() override;

    // Origin, no turn, scale 1, picture 0.
    void Reset() override;
    // Binds the plane sequence and the transform at the instance node itself; the object's index
    // is 0 whatever the pool's is. False when the node is missing or is no plane sequence.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    // Snaps x and y to the pixel grid by the picture's size; z is not written.
    void UpdateTransform() override;

    Bool SetPlaneIndex(UInt32 index);
    UInt32 GetPlaneIndex() const { return mPlaneIndex; }
    // Stores all four; the picture is scaled by x and y.
    void SetScale(Float x, Float y, Float z, Float w);
    const Math::Vector<Float>& GetScale() const { return mScale; }
    // A turn of angle radians about z.
    void SetAngle(Float angle);
    Float GetAngle() const { return mAngle; }
    void SetVisible(Bool visible);
    Float GetWidth() const;
    Float GetHeight() const;
    // Scene units of one screen pixel, the step of the grid.
    void SetUnitsPerPixel(Float unitsPerPixel) { mUnitsPerPixel = unitsPerPixel; }

private:
    Float mAngle;
    UInt32 mPlaneIndex;
    Math::Vector<Float> mScale;
    Logic::GraphNodeT<Graph::IDisplayPlaneSequence>* mPlaneSequence;
    Logic::GraphNodeT<Graph::IScalable>* mPlaneScale;
    Float mUnitsPerPixel;
};

// Places one asset entry of a level on its asset: picture, position, depth, turn and scale.
void ApplyAssetEntry(Asset* asset, const AssetEntry& entry);

class AssetContainer : public GraphInstanceContainer<Asset>
{
public:
    AssetContainer();
    ~AssetContainer() override;

    using GraphInstanceContainer<Asset>::Init;
    // Stores the frame-buffer path under which the backgrounds hang and the path under which
    // "/bg_switch" lies; true.
    Bool Init(const String& rootPath, const String& stagePath);
    // Binds a campaign background's screen and its decorations' pool and shows the switch's
    // child 0; false, with the switch left as it was, when a node is missing. A pool bound to an
    // earlier background is let go first.
    Bool InitBackground(Graph::INamespace* root, const String& backgroundId);
    // Binds the zen background's screen (it has no decorations) and shows the switch's child 1.
    Bool InitZenBackground(Graph::INamespace* root, const String& backgroundId);
    // Lets go of the decorations and of the background's nodes, so that its package can go; the
    // paths stay. True when every node was let go.
    Bool DeInit() override;
    // Every bound screen a half percent larger than the view on each axis.
    void SetBackgroundScale(Float width, Float height);
    // 0 while no campaign screen is bound.
    UInt32 GetBackgroundFrameCount() const;
    void SetBackgroundActive(Bool active);
    // A frame past the last leaves the one shown.
    void SelectBackgroundFrame(UInt32 frame);
    // Obtains one asset per entry and applies the entry to it; stops when the pool runs out.
    // Returns the number of entries placed.
    UInt32 PlaceAssets(const AssetEntry* entries, UInt32 count);
    void SetUnitsPerPixel(Float unitsPerPixel) { mUnitsPerPixel = unitsPerPixel; }

private:
    String mRootPath;
    String mStagePath;
    Logic::GraphNodeT<Graph::ISwitch>* mBackgroundSwitch;
    Logic::GraphNodeT<Graph::INamespace>* mRoot;
    Logic::GraphNodeT<Graph::IDisplayPlane>* mZenScreen;
    Logic::GraphNodeT<Graph::IDisplayPlaneSequence>* mScreen;
    Logic::GraphNodeT<Graph::IIndexed>* mScreenIndex;
    Logic::GraphNodeT<Graph::IScalable>* mScreenScale;
    Float mUnitsPerPixel;
};

} // namespace App
} // namespace Vorn
