// The pieces a terrain is drawn from: square patches of a height grid, each with its own
// parameters, drawable and vertex stream of heights, taken from and returned to the pool of their
// patch set. A patch set holds what its patches share: the planar vertex stream and the index
// strip of one grid resolution.
#pragma once

#include <vector>

#include "display/object.h"
#include "foundation/array.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "graph/display/drawable.h"

namespace Vorn {
namespace Graph {

struct TerrainPatch
{
    DisplayHandleT<Display::IParameters> mParameters;
    // (centre x - camera x, centre z - camera z) / scale, scale, range / scale.
    Display::IFloatVector4Parameter* mCameraOffset = nullptr;
    DisplayHandleT<Display::IDrawable> mDrawable;
    // Per vertex the height and the height of the coarser vertex it morphs to.
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    // Double buffer of the heights; the renderer reads the current one.
    std::vector<UInt16> mVertices[2];
    UInt32 mCurrent = 0;
    UInt32 mNumberOfVertices = 0;
    UInt32 mSet = 0;
    UInt32 mLevel = 0;
    // Quarter turn about x, then the patch centre.
    Math::Matrix<float> mPatchMatrix;
    Math::Matrix<float> mModelMatrix;
    Float mCentreX = 0.0f;
    Float mCentreZ = 0.0f;
    Float mScale = 1.0f;
    Float mRange = 0.0f;
    Bool mDirty = false;
    UInt32 mLastUsedFrame = 0;
    // In base-map texels.
    UInt32 mOriginColumn = 0;
    UInt32 mOriginRow = 0;
    UInt64 mKey = 0;
};

struct TerrainPatchSet
{
    // Cells per patch side and world units per cell at the finest level.
    UInt32 mResolution = 0;
    UInt32 mCellSize = 0;
    // Per vertex its place in the patch plane and the place of the coarser vertex (x, z, x', z').
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    std::vector<Float> mVertices;
    DisplayHandleT<Display::IIndexBuffer> mIndexBuffer;
    std::vector<UInt16> mIndices;
    Array<TerrainPatch*> mFreePatches;
};

} // namespace Graph
} // namespace Vorn
