// DisplayTerrainBillboards: camera-facing billboards scattered over a height field at Init, their
// density from an object map, their tint from a light map. The square map is cut into tiles and
// repeats endlessly; each frame the tiles in range and in view get one of a fixed pool of drawable
// slots, each drawn with its billboards back to front for the camera's main direction.
#pragma once

#include <memory>
#include <vector>

#include "display/object.h"
#include "foundation/array.h"
#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/terrain/view_wedge.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Resource {
class ICollection;
}

namespace Graph {

class IHeightField;

class DisplayTerrainBillboards : public Transform, public IRenderable, public IDrawable
{
public:
    // Four vertices per billboard must stay addressable by 16-bit indices.
    static constexpr UInt32 kMaxObjectsPerTileLimit = 16384;
    // Position, corner offset, texture coordinates, colour.
    static constexpr UInt32 kFloatsPerVertex = 10;
    static constexpr UInt32 kVertexSize = kFloatsPerVertex * 4;

    struct Billboard
    {
        // x and z from the tile centre, y absolute; w = 1.
        Float mPosition[4];
        Float mHalfWidth;
        Float mHeight;
        Float mUnused;
        Float mColor[3];
    };

    struct Slot;

    struct Tile
    {
        Float mCentreX = 0.0f;
        Float mCentreZ = 0.0f;
        Array<Billboard> mBillboards;
        Slot* mSlot = nullptr;
        // The billboards by x decreasing, x increasing, z decreasing, z increasing.
        std::vector<UInt32> mOrders[4];
    };

    struct Slot
    {
        DisplayHandleT<Display::IParameters> mParameters;
        Display::IFloatVector4Parameter* mViewSide = nullptr;
        Display::IFloatVector4Parameter* mInstance = nullptr;
        DisplayHandleT<Display::IDrawable> mDrawable;
        DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
        std::vector<Float> mVertices;
        DisplayHandleT<Display::IIndexBuffer> mIndexBuffer;
        std::vector<UInt32> mIdentity;
        Bool mNeedsSubmit = false;
        Bool mOrderChanged = false;
        Bool mVerticesChanged = false;
        UInt32 mFrame = 0;
        Math::Matrix<float> mTileMatrix;
        Math::Matrix<float> mWorldMatrix;
        Tile* mTile = nullptr;
        UInt32 mDirection = 0;
    };

    DisplayTerrainBillboards();
    ~DisplayTerrainBillboards() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Gives the tiles in range and in view of the current view's camera a slot; frees the others.
    Bool CullOutput(ICullOutputState* state) override;
    // Sends what changed and draws every active slot.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Tiles per side of the map; the tile of a grid column and row, null when it holds nothing.
    UInt32 GetTilesPerSide() const { return mTilesPerSide; }
    const Tile* GetTile(UInt32 column, UInt32 row) const { return mTiles[row * mTilesPerSide + column].get(); }
    const Array<Slot*>& GetActiveSlots() const { return mActiveSlots; }
    UInt32 GetNumberOfFreeSlots() const { return UInt32(mFreeSlots.GetCount()); }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    Bool CheckSettings() const;
    Bool Scatter(Resource::ICollection* collection);
    Bool CreateDrawables(Display::IRenderer* renderer);
    Bool CreateSlot(UInt32 number, Display::IRenderer* renderer);
    void Release(Display::IRenderer* renderer);
    void ActivateTiles();
    // False when the tile needs a slot and none is free.
    Bool ActivateTile(SInt64 column, SInt64 row);
    void WriteVertices(Slot& slot) const;

    UInt32 mMapSize;
    UInt32 mTileSize;
    UInt32 mMaxTiles;
    UInt32 mMaxObjectsPerTile;
    Float mMinRange;
    Float mMaxRange;
    String mLightMapId;
    String mObjectMapId;
    String mObjectAtlasId;
    String mHeightFieldId;

    IHeightField* mHeightField;
    INode* mHeightFieldNode;
    UInt32 mTilesPerSide;
    Float mTileRadius;
    std::vector<std::unique_ptr<Tile>> mTiles;
    std::vector<std::unique_ptr<Slot>> mSlots;
    Array<Slot*> mFreeSlots;
    Array<Slot*> mActiveSlots;
    std::vector<UInt16> mIndices;
    std::vector<UInt32> mGroups;
    UInt32 mFrame;
    ViewWedge mWedge;
};

} // namespace Graph
} // namespace Vorn
