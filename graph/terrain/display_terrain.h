// DisplayTerrain: a large landscape that repeats seamlessly, made of a base height map, a detail
// height map repeated across it and a detail scale map that says how strongly the detail shows.
// It is drawn as a quadtree of patches chosen each frame by distance from the camera, and offers
// its surface as a height field to other nodes (the terrain billboards).
#pragma once

#include <memory>
#include <vector>

#include "foundation/array.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"
#include "graph/renderable.h"
#include "graph/terrain/height_field.h"
#include "graph/terrain/terrain_patch.h"
#include "graph/terrain/view_wedge.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Resource {
class ICollection;
}

namespace Graph {


class DisplayTerrain : public Transform, public IHeightField, public IRenderable, public IDrawable
{
public:
    static constexpr UInt32 kPatchesPerSet = 256;
    // Grid columns one run of a patch's index strip covers.
    static constexpr UInt32 kStripBlockWidth = 8;
    // Base-map texels across the whole terrain; a smaller map repeats.
    static constexpr UInt32 kTexelsAcross = 4096;
    // The detail map is sampled at this many times the base map's texel rate.
    static constexpr UInt32 kDetailRepeat = 16;
    static constexpr UInt32 kMaxDetailLevels = 13;
    static constexpr UInt32 kMinGridResolution = 8;
    static constexpr UInt32 kMaxGridResolution = 128;

    DisplayTerrain();
    ~DisplayTerrain() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Float GetSizeX() const override { return mExtent; }
    Float GetSizeZ() const override { return mExtent; }
    Float GetHeight(Float x, Float z) const override;

    // Chooses the patches the current view's camera sees and returns the others to their pools.
    Bool CullOutput(ICullOutputState* state) override;
    // Sends rebuilt patches and draws every chosen one.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Sample (x, y) of the base height grid, x up to the map width and y up to its height (the
    // last column and row repeat the first).
    UInt16 GetBaseSample(UInt32 x, UInt32 y) const { return mBaseGrid[y * (mBaseWidth + 1) + x]; }
    // Range of each level, finest first, and one past the coarsest.
    const Array<Float>& GetRanges() const { return mRanges; }
    const Map<UInt64, TerrainPatch*>& GetActivePatches() const { return mActivePatches; }
    UInt32 GetNumberOfFreePatches(UInt32 set) const { return UInt32(mSets[set].mFreePatches.GetCount()); }
    const TerrainPatchSet& GetPatchSet(UInt32 set) const { return mSets[set]; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    Bool CheckSettings() const;
    Bool ReadMaps(Resource::ICollection* collection);
    Bool BuildPatchSet(UInt32 set, Display::IRenderer* renderer);
    Bool CreatePatch(UInt32 set, UInt32 number, Display::IRenderer* renderer);
    void ReleasePatches(Display::IRenderer* renderer);

    void SelectNode(Float x, Float z, Float size, UInt32 level, UInt32 column, UInt32 row, UInt64 key);
    Bool IsInRange(Float x, Float z, Float half, Float range) const;
    void UsePatch(UInt32 set, Float x, Float z, UInt32 level, UInt32 column, UInt32 row, UInt64 key);
    void ReleaseActivePatch(SInt32 position);
    void BuildPatch(TerrainPatch& patch) const;

    String mBaseHeightmapId;
    String mDetailHeightmapId;
    String mDetailScalemapId;
    UInt32 mNumDetailLevels;
    UInt32 mGridResolution;
    UInt32 mGridSize;
    Float mDetailRange;
    Float mMaxRange;
    Float mExtent;

    // Each grid repeats its first column after the last and its first row after the last.
    UInt32 mBaseWidth;
    UInt32 mBaseHeight;
    std::vector<UInt16> mBaseGrid;
    UInt32 mDetailWidth;
    UInt32 mDetailHeight;
    std::vector<UInt16> mDetailGrid;
    // Laid out like the base grid (the scale map has the base map's size).
    std::vector<UInt8> mScaleGrid;

    TerrainPatchSet mSets[2];
    std::vector<std::unique_ptr<TerrainPatch>> mPatches;
    Array<Float> mRanges;
    Map<UInt64, TerrainPatch*> mActivePatches;
    UInt32 mFrame;
    ViewWedge mWedge;
};

} // namespace Graph
} // namespace Vorn
