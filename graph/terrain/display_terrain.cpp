#include "graph/terrain/display_terrain.h"

#include <cmath>
#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/terrain/map_surface.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

// Grid column or row of a sample position, the map repeating in both directions.
UInt32 Wrap(Double position, UInt32 size)
{
    Double wrapped = std::fmod(position, Double(size));
    if (wrapped < 0.0)
        wrapped += Double(size);
    const UInt32 index = UInt32(wrapped);
    return index < size ? index : 0;
}

// Bilinear interpolation over a grid of the given row length between the sample at (column,
// row) and its neighbours to the right and below, wrapped at width and height.
template <typename Sample>
Float Interpolate(const Sample* grid, UInt32 rowLength, UInt32 width, UInt32 height, UInt32 column, UInt32 row,
                  Float fx, Float fy)
{
    const UInt32 nextColumn = (column + 1) % width;
    const UInt32 nextRow = (row + 1) % height;
    const Float s00 = Float(grid[row * rowLength + column]);
    const Float s10 = Float(grid[row * rowLength + nextColumn]);
    const Float s01 = Float(grid[nextRow * rowLength + column]);
    const Float s11 = Float(grid[nextRow * rowLength + nextColumn]);
    return (s00 * (1.0f - fx) + s10 * fx) * (1.0f - fy) + (s01 * (1.0f - fx) + s11 * fx) * fy;
}

// The red bytes of the map into a grid one column and one row larger, the first column and row
// repeated after the last; each byte converted by value.
template <typename Sample, typename Convert>
void CopyRepeating(const MapSurface& map, std::vector<Sample>& grid, Convert value)
{
    const UInt32 width = map.GetWidth();
    const UInt32 height = map.GetHeight();
    grid.assign(std::size_t(width + 1) * (height + 1), Sample(0));
    for (UInt32 y = 0; y <= height; ++y) {
        for (UInt32 x = 0; x <= width; ++x)
            grid[std::size_t(y) * (width + 1) + x] = value(map.GetRed(x % width, y % height));
    }
}

} // namespace

DisplayTerrain::DisplayTerrain()
    : mNumDetailLevels(12), mGridResolution(16), mGridSize(4), mDetailRange(117.0f), mMaxRange(131072.0f),
      mExtent(0.0f), mBaseWidth(0), mBaseHeight(0), mDetailWidth(0), mDetailHeight(0), mFrame(0)
{
    AddFlags(kNeedsPrepareOutput);
}

DisplayTerrain::~DisplayTerrain()
{
}

INode* DisplayTerrain::Create()
{
    return new (std::nothrow) DisplayTerrain();
}

const NodeClassInfo& DisplayTerrain::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayTerrain"));
    return info;
}

Bool DisplayTerrain::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                          Bool* error)
{
    switch (DisplayTerrainAttributes::GetTable().FindAttribute(attributes, index)) {
    case DisplayTerrainAttributes::kNumDetailLevels:
        attributes->GetValue(index, parameters, &mNumDetailLevels, error);
        return true;
    case DisplayTerrainAttributes::kGridResolution:
        attributes->GetValue(index, parameters, &mGridResolution, error);
        return true;
    case DisplayTerrainAttributes::kGridSize:
        attributes->GetValue(index, parameters, &mGridSize, error);
        return true;
    case DisplayTerrainAttributes::kDetailRange:
        attributes->GetValue(index, parameters, &mDetailRange, error);
        return true;
    case DisplayTerrainAttributes::kMaxRange:
        attributes->GetValue(index, parameters, &mMaxRange, error);
        return true;
    case DisplayTerrainAttributes::kBaseHeightmapResourceId:
        attributes->GetValue(index, parameters, &mBaseHeightmapId, error);
        return true;
    case DisplayTerrainAttributes::kDetailHeightmapResourceId:
        attributes->GetValue(index, parameters, &mDetailHeightmapId, error);
        return true;
    case DisplayTerrainAttributes::kDetailScalemapResourceId:
        attributes->GetValue(index, parameters, &mDetailScalemapId, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool DisplayTerrain::CheckSettings() const
{
    if (mNumDetailLevels == 0 || mNumDetailLevels > kMaxDetailLevels) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): numDetailLevels %u is not from 1 to %u", mId.GetText(),
                     mNumDetailLevels, kMaxDetailLevels);
        return false;
    }
    const Bool powerOfTwo = (mGridResolution & (mGridResolution - 1)) == 0;
    if (!powerOfTwo || mGridResolution < kMinGridResolution || mGridResolution > kMaxGridResolution) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): gridResolution %u is not a power of two from %u to %u",
                     mId.GetText(), mGridResolution, kMinGridResolution, kMaxGridResolution);
        return false;
    }
    if (mGridSize == 0) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): gridSize must not be 0", mId.GetText());
        return false;
    }
    return true;
}

Bool DisplayTerrain::ReadMaps(Resource::ICollection* collection)
{
    const LogSite site{"DisplayTerrain", "InitSelf", mId};
    {
        MapSurface base;
        if (!base.Open(collection, mBaseHeightmapId, "base heightmap", site))
            return false;
        // Each sample is the mean of the eight neighbours of its texel (red x 128), wrapping.
        const UInt32 width = base.GetWidth();
        const UInt32 height = base.GetHeight();
        std::vector<UInt16> scaled(std::size_t(width) * height);
        for (UInt32 y = 0; y < height; ++y)
            for (UInt32 x = 0; x < width; ++x)
                scaled[std::size_t(y) * width + x] = UInt16(base.GetRed(x, y) * 128);
        mBaseWidth = width;
        mBaseHeight = height;
        mBaseGrid.assign(std::size_t(width + 1) * (height + 1), 0);
        for (UInt32 y = 0; y <= height; ++y) {
            for (UInt32 x = 0; x <= width; ++x) {
                const UInt32 cx = x % width;
                const UInt32 cy = y % height;
                UInt32 sum = 0;
                for (SInt32 dy = -1; dy <= 1; ++dy) {
                    for (SInt32 dx = -1; dx <= 1; ++dx) {
                        if (dx == 0 && dy == 0)
                            continue;
                        const UInt32 nx = (cx + width + UInt32(dx)) % width;
                        const UInt32 ny = (cy + height + UInt32(dy)) % height;
                        sum += scaled[std::size_t(ny) * width + nx];
                    }
                }
                mBaseGrid[std::size_t(y) * (width + 1) + x] = UInt16(sum >> 3);
            }
        }
    }
    {
        MapSurface scale;
        if (!scale.Open(collection, mDetailScalemapId, "detail scale map", site))
            return false;
        // The scale grid is read at the base grid's cells.
        if (scale.GetWidth() != mBaseWidth || scale.GetHeight() != mBaseHeight) {
            Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Detail scale map is %ux%u, the base heightmap %ux%u",
                         mId.GetText(), scale.GetWidth(), scale.GetHeight(), mBaseWidth, mBaseHeight);
            return false;
        }
        CopyRepeating(scale, mScaleGrid, [](UInt8 red) { return red; });
    }
    MapSurface detail;
    if (!detail.Open(collection, mDetailHeightmapId, "detail heightmap", site))
        return false;
    mDetailWidth = detail.GetWidth();
    mDetailHeight = detail.GetHeight();
    CopyRepeating(detail, mDetailGrid, [](UInt8 red) { return UInt16(red); });
    return true;
}

Bool DisplayTerrain::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mBaseHeightmapId.IsEmpty()) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): No base heightmap specified", mId.GetText());
        return false;
    }
    if (mDetailHeightmapId.IsEmpty()) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): No detail heightmap specified", mId.GetText());
        return false;
    }
    if (!CheckSettings())
        return false;

    // One range per level and one past the coarsest, which set-1 patches of the top level use.
    mRanges.Clear();
    Float range = mDetailRange;
    for (UInt32 level = 0; level <= mNumDetailLevels; ++level) {
        mRanges.Add(range);
        range *= 2.0f;
    }
    if (!ReadMaps(state->GetResourceCollection()))
        return false;
    mExtent = Float(Double(1u << (mNumDetailLevels - 1)) * mGridResolution * mGridSize);

    Display::IRenderer* renderer = state->GetDisplayRenderer();
    return BuildPatchSet(0, renderer) && BuildPatchSet(1, renderer);
}

Bool DisplayTerrain::DeInitSelf(IDeInitState* state)
{
    ReleasePatches(state->GetDisplayRenderer());
    mBaseGrid = std::vector<UInt16>();
    mDetailGrid = std::vector<UInt16>();
    mScaleGrid = std::vector<UInt8>();
    mBaseWidth = mBaseHeight = mDetailWidth = mDetailHeight = 0;
    return Transform::DeInitSelf(state);
}

Bool DisplayTerrain::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Float DisplayTerrain::GetHeight(Float x, Float z) const
{
    if (mBaseGrid.empty() || mDetailGrid.empty() || mExtent <= 0.0f)
        return 0.0f;
    const Double u = (Double(x) / mExtent + 0.5) * kTexelsAcross;
    const Double v = (Double(z) / mExtent + 0.5) * kTexelsAcross;
    if (!std::isfinite(u) || !std::isfinite(v))
        return 0.0f;
    // Whole texels downwards, so that points left of or above the terrain wrap like the others.
    const Double iu = std::floor(u);
    const Double iv = std::floor(v);
    const Float fu = Float(u - iu);
    const Float fv = Float(v - iv);
    const UInt32 column = Wrap(iu, mBaseWidth);
    const UInt32 row = Wrap(iv, mBaseHeight);
    const Float base = Interpolate(mBaseGrid.data(), mBaseWidth + 1, mBaseWidth, mBaseHeight, column, row, fu, fv);
    const Float scale = Interpolate(mScaleGrid.data(), mBaseWidth + 1, mBaseWidth, mBaseHeight, column, row, fu, fv);

    const Double du = u * kDetailRepeat;
    const Double dv = v * kDetailRepeat;
    const Double idu = std::floor(du);
    const Double idv = std::floor(dv);
    const Float detail = Interpolate(mDetailGrid.data(), mDetailWidth + 1, mDetailWidth, mDetailHeight,
                                     Wrap(idu, mDetailWidth), Wrap(idv, mDetailHeight), Float(du - idu),
                                     Float(dv - idv));
    return (base + detail * scale / 24.0f) * 0.125f;
}

} // namespace Graph
} // namespace Vorn
