// The patch side of DisplayTerrain: building the two patch sets, choosing the patches each frame,
// filling a patch from the height grids and drawing the chosen ones.
#include <cmath>

#include "display/renderer.h"
#include "foundation/debug.h"
#include "graph/terrain/display_terrain.h"
#include "graph/traversal_state.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

namespace {

// Entry [d * 256 + s] is d * s / 24 without its fraction: the detail height d weighted by the
// detail scale s.
const UInt16* GetDetailProducts()
{
    struct Table
    {
        Table()
        {
            for (UInt32 d = 0; d < 256; ++d)
                for (UInt32 s = 0; s < 256; ++s)
                    mEntries[d * 256 + s] = UInt16(d * s / 24);
        }
        UInt16 mEntries[256 * 256];
    };
    static const Table table;
    return table.mEntries;
}

// One triangle strip over r x r cells in runs of block columns, two rows at a time, the runs and
// row pairs joined by repeated indices (degenerate triangles). Empty when no whole run fits.
std::vector<UInt16> MakeIndexStrip(UInt32 r, UInt32 block)
{
    std::vector<UInt16> indices;
    indices.reserve(std::size_t(r / block) * (r / 2) * 4 * (block + 2));
    auto add = [&](UInt32 row, UInt32 column) { indices.push_back(UInt16(row * (r + 1) + column)); };
    for (UInt32 first = 0; first + block <= r; first += block) {
        for (UInt32 top = 0; top + 2 <= r; top += 2) {
            add(top + 1, first);
            for (UInt32 c = first; c <= first + block; ++c) {
                add(top + 1, c);
                add(top, c);
            }
            add(top, first + block);
            add(top + 1, first + block);
            for (UInt32 c = first + block + 1; c-- > first;) {
                add(top + 1, c);
                add(top + 2, c);
            }
            add(top + 2, first);
        }
    }
    return indices;
}

// The midpoints between samples step apart, for steps halving down to 2: each the mean of its two
// neighbours, both components. stride is the distance between neighbours in the array.
void FillMidpoints(UInt16* vertices, UInt32 r, UInt32 step, UInt32 stride)
{
    for (UInt32 d = step; d >= 2; d /= 2) {
        for (UInt32 i = d / 2; i < r; i += d) {
            UInt16* mid = vertices + 2 * i * stride;
            const UInt16* left = vertices + 2 * (i - d / 2) * stride;
            const UInt16* right = vertices + 2 * (i + d / 2) * stride;
            mid[0] = UInt16((left[0] + right[0]) >> 1);
            mid[1] = UInt16((left[1] + right[1]) >> 1);
        }
    }
}

// Hands the buffer its vertices with their one attribute and initialises it.
Bool SetUpVertexBuffer(DisplayHandleT<Display::IVertexBuffer>& buffer, const void* vertices, UInt32 count,
                       UInt32 vertexSize, Enums::VertexAttribute attribute, Enums::AttributeType type)
{
    UInt32 offset = 0;
    buffer->SetNumberOfVertices(count);
    buffer->SetVertexData(vertices, count, vertexSize);
    return buffer->AddAttribute(attribute, type, offset) && buffer.Init();
}

} // namespace

Bool DisplayTerrain::BuildPatchSet(UInt32 set, Display::IRenderer* renderer)
{
    TerrainPatchSet& patchSet = mSets[set];
    const UInt32 r = mGridResolution >> set;
    const UInt32 c = mGridSize << set;
    patchSet.mResolution = r;
    patchSet.mCellSize = c;

    patchSet.mIndices = MakeIndexStrip(r, kStripBlockWidth);
    if (!patchSet.mIndexBuffer.Create(renderer, "IndexBuffer")) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to create indexBuffer object #%u", mId.GetText(), set);
        return false;
    }
    const UInt32 indexCount = UInt32(patchSet.mIndices.size());
    patchSet.mIndexBuffer->SetPrimitiveType(Enums::PrimitiveType::TRIANGLE_STRIP);
    patchSet.mIndexBuffer->SetIndexData(patchSet.mIndices.data(), indexCount);
    patchSet.mIndexBuffer->SetNumberOfIndices(-1);
    if (!patchSet.mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to initialize index buffer object #%u", mId.GetText(),
                     set);
        return false;
    }

    const UInt32 vertexCount = (r + 1) * (r + 1);
    const SInt32 offset = -SInt32(r * c / 2);
    patchSet.mVertices.assign(std::size_t(vertexCount) * 4, 0.0f);
    for (UInt32 j = 0; j <= r; ++j) {
        for (UInt32 i = 0; i <= r; ++i) {
            Float* vertex = &patchSet.mVertices[std::size_t(j * (r + 1) + i) * 4];
            vertex[0] = Float(SInt32(i * c) + offset);
            vertex[1] = Float(SInt32(j * c) + offset);
            vertex[2] = Float(SInt32((i & ~1u) * c) + offset);
            vertex[3] = Float(SInt32((j & ~1u) * c) + offset);
        }
    }
    if (!patchSet.mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to create vertex buffer object #%u", mId.GetText(),
                     set);
        return false;
    }
    if (!SetUpVertexBuffer(patchSet.mVertexBuffer, patchSet.mVertices.data(), vertexCount, 16,
                           Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_4)) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to initialize static vertex buffer object",
                     mId.GetText());
        return false;
    }
    for (UInt32 number = 0; number < kPatchesPerSet; ++number) {
        if (!CreatePatch(set, number, renderer))
            return false;
    }
    return true;
}

Bool DisplayTerrain::CreatePatch(UInt32 set, UInt32 number, Display::IRenderer* renderer)
{
    TerrainPatchSet& patchSet = mSets[set];
    std::unique_ptr<TerrainPatch> made(new (std::nothrow) TerrainPatch());
    if (made == nullptr) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Cannot allocate patch #%u/%u", mId.GetText(), set, number);
        return false;
    }
    mPatches.push_back(std::move(made));
    TerrainPatch& patch = *mPatches.back();
    patch.mSet = set;
    const UInt32 r = patchSet.mResolution;
    patch.mNumberOfVertices = (r + 1) * (r + 1);

    if (!patch.mParameters.Create(renderer, "Parameters")) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to create parameters object #%u/%u", mId.GetText(),
                     set, number);
        return false;
    }
    patch.mCameraOffset = patch.mParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_0);
    patch.mVertices[0].assign(std::size_t(patch.mNumberOfVertices) * 2, 0);
    patch.mVertices[1].assign(std::size_t(patch.mNumberOfVertices) * 2, 0);

    if (!patch.mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to create dynamic vertex buffer object #%u/%u",
                     mId.GetText(), set, number);
        return false;
    }
    if (!SetUpVertexBuffer(patch.mVertexBuffer, patch.mVertices[0].data(), patch.mNumberOfVertices, 4,
                           Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::UINT16_VECTOR_2)) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to initialize static vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!patch.mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to create drawable object", mId.GetText());
        return false;
    }
    patch.mDrawable->AddVertexBuffer(patchSet.mVertexBuffer.Get());
    patch.mDrawable->AddVertexBuffer(patch.mVertexBuffer.Get());
    patch.mDrawable->AddIndexBuffer(patchSet.mIndexBuffer.Get());
    if (!patch.mDrawable.Init()) {
        Debug::Trace("Graph::DisplayTerrain::InitSelf(%s): Failed to initialize drawable object", mId.GetText());
        return false;
    }
    patchSet.mFreePatches.Add(&patch);
    return true;
}

void DisplayTerrain::ReleasePatches(Display::IRenderer* renderer)
{
    // Every drawable goes before the shared buffers attached to it.
    for (std::unique_ptr<TerrainPatch>& patch : mPatches) {
        patch->mDrawable.Release(renderer);
        patch->mVertexBuffer.Release(renderer);
        patch->mParameters.Release(renderer);
    }
    mPatches.clear();
    mActivePatches.Clear();
    for (TerrainPatchSet& patchSet : mSets) {
        patchSet.mFreePatches.Clear();
        patchSet.mVertexBuffer.Release(renderer);
        patchSet.mIndexBuffer.Release(renderer);
        patchSet.mVertices = std::vector<Float>();
        patchSet.mIndices = std::vector<UInt16>();
    }
}

Bool DisplayTerrain::CullOutput(ICullOutputState* state)
{
    ++mFrame;
    IView* view = state->GetCurrentView();
    if (view != nullptr && !mPatches.empty()) {
        mWedge.Set(view->GetCameraTransform());
        SelectNode(0.0f, 0.0f, mExtent, mNumDetailLevels - 1, 0, 0, 0);
    }
    for (SInt32 position = mActivePatches.GetCount() - 1; position >= 0; --position) {
        if (mActivePatches.GetValue(position)->mLastUsedFrame != mFrame)
            ReleaseActivePatch(position);
    }
    return true;
}

void DisplayTerrain::ReleaseActivePatch(SInt32 position)
{
    TerrainPatch* patch = mActivePatches.GetValue(position);
    mActivePatches.RemoveAt(position);
    mSets[patch->mSet].mFreePatches.Add(patch);
}

Bool DisplayTerrain::IsInRange(Float x, Float z, Float half, Float range) const
{
    const Float dx = std::fabs(mWedge.mPosition.x - x) - half;
    const Float dz = std::fabs(mWedge.mPosition.z - z) - half;
    if (dx <= 0.0f && dz <= 0.0f)
        return true;
    const Float ox = dx > 0.0f ? dx : 0.0f;
    const Float oz = dz > 0.0f ? dz : 0.0f;
    return range > std::sqrt(ox * ox + oz * oz);
}

void DisplayTerrain::SelectNode(Float x, Float z, Float size, UInt32 level, UInt32 column, UInt32 row, UInt64 key)
{
    const Float half = size / 2.0f;
    if (mWedge.IsOutside(x, z, half, mMaxRange))
        return;
    if (!IsInRange(x, z, half, mRanges[SInt32(level)])) {
        UsePatch(1, x, z, level, column, row, key);
        return;
    }
    if (level == 0 || !IsInRange(x, z, half, mRanges[SInt32(level - 1)])) {
        UsePatch(0, x, z, level, column, row, key);
        return;
    }
    const UInt32 childLevel = level - 1;
    const UInt32 shift = 2 * (mNumDetailLevels - childLevel) - 2;
    const UInt32 texels = kTexelsAcross >> (mNumDetailLevels - level);
    const Float quarter = half / 2.0f;
    for (UInt32 child = 0; child < 4; ++child) {
        const Bool right = (child & 1) != 0;
        const Bool lower = (child & 2) != 0;
        SelectNode(right ? x + quarter : x - quarter, lower ? z + quarter : z - quarter, half, childLevel,
                   right ? column + texels : column, lower ? row + texels : row, key | (UInt64(child) << shift));
    }
}

void DisplayTerrain::UsePatch(UInt32 set, Float x, Float z, UInt32 level, UInt32 column, UInt32 row, UInt64 key)
{
    const SInt32 position = mActivePatches.Find(key);
    if (position >= 0) {
        TerrainPatch* cached = mActivePatches.GetValue(position);
        // A node and its first child share a key: only a patch of the same set and level fits.
        if (cached->mSet == set && cached->mLevel == level) {
            cached->mLastUsedFrame = mFrame;
            return;
        }
        ReleaseActivePatch(position);
    }
    Array<TerrainPatch*>& pool = mSets[set].mFreePatches;
    if (pool.IsEmpty())
        return;
    TerrainPatch* patch = pool.GetLast();
    pool.RemoveAt(pool.GetCount() - 1);

    // A quarter turn about x puts the patch plane on the ground, then the patch moves to its centre.
    patch->mPatchMatrix.SetIdentity();
    patch->mPatchMatrix[5] = 0.0f;
    patch->mPatchMatrix[6] = 1.0f;
    patch->mPatchMatrix[9] = -1.0f;
    patch->mPatchMatrix[10] = 0.0f;
    patch->mPatchMatrix[12] = x;
    patch->mPatchMatrix[14] = z;
    patch->mCentreX = x;
    patch->mCentreZ = z;
    patch->mScale = Float(1u << level);
    patch->mLevel = level;
    patch->mRange = mRanges[SInt32(level + set)];
    patch->mOriginColumn = column;
    patch->mOriginRow = row;
    patch->mKey = key;
    mActivePatches.Add(key, patch);
    BuildPatch(*patch);
    patch->mLastUsedFrame = mFrame;
}

void DisplayTerrain::BuildPatch(TerrainPatch& patch) const
{
    const UInt32 r = mGridResolution >> patch.mSet;
    const UInt32 n = kTexelsAcross >> (mNumDetailLevels - patch.mLevel - 1);
    const UInt32 stride = r + 1;
    patch.mCurrent ^= 1;
    UInt16* vertices = patch.mVertices[patch.mCurrent].data();
    auto at = [&](UInt32 i, UInt32 j) { return vertices + 2 * (j * stride + i); };
    const UInt32 rowLength = mBaseWidth + 1;
    auto store = [&](UInt16* vertex, UInt32 column, UInt32 row) {
        vertex[0] = mBaseGrid[std::size_t(row) * rowLength + column];
        vertex[1] = mScaleGrid[std::size_t(row) * rowLength + column];
    };

    // Base heights, with the scale byte parked in the second component.
    if (n >= r) {
        const UInt32 step = n / r;
        for (UInt32 j = 0; j <= r; ++j) {
            const UInt32 row = UInt32((UInt64(patch.mOriginRow) + UInt64(j) * step) % mBaseHeight);
            for (UInt32 i = 0; i <= r; ++i)
                store(at(i, j), UInt32((UInt64(patch.mOriginColumn) + UInt64(i) * step) % mBaseWidth), row);
        }
    } else {
        const UInt32 spread = r / n;
        for (UInt32 b = 0; b <= n; ++b) {
            const UInt32 row = (patch.mOriginRow + b) % mBaseHeight;
            for (UInt32 a = 0; a <= n; ++a)
                store(at(a * spread, b * spread), (patch.mOriginColumn + a) % mBaseWidth, row);
        }
        for (UInt32 j = 0; j <= r; j += spread)
            FillMidpoints(at(0, j), r, spread, 1);
        for (UInt32 i = 0; i <= r; ++i)
            FillMidpoints(at(i, 0), r, spread, stride);
    }

    // Detail relief weighted by the scale byte.
    const UInt16* products = GetDetailProducts();
    const UInt32 detailStep = (kDetailRepeat * n) / r;
    const UInt32 detailRowLength = mDetailWidth + 1;
    for (UInt32 j = 0; j <= r; ++j) {
        const UInt32 row =
            UInt32((UInt64(patch.mOriginRow) * kDetailRepeat + UInt64(j) * detailStep) % mDetailHeight);
        for (UInt32 i = 0; i <= r; ++i) {
            const UInt32 column =
                UInt32((UInt64(patch.mOriginColumn) * kDetailRepeat + UInt64(i) * detailStep) % mDetailWidth);
            UInt16* vertex = at(i, j);
            const UInt32 detail = mDetailGrid[std::size_t(row) * detailRowLength + column];
            vertex[0] = UInt16(vertex[0] + products[(detail * 256 + (vertex[1] & 255)) & 0xFFFF]);
        }
    }
    // Each vertex morphs to the height of the coarser-level vertex at its even corner.
    for (UInt32 j = 0; j <= r; ++j)
        for (UInt32 i = 0; i <= r; ++i)
            at(i, j)[1] = at(i & ~1u, j & ~1u)[0];
    patch.mDirty = true;
}

Bool DisplayTerrain::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr)
        return true;
    const Math::Matrix<float>* itemTransform = state->GetItemValue1();
    const Math::Matrix<float> current = itemTransform != nullptr ? *itemTransform : Math::Matrix<float>();
    const Math::Vector<float>* scaleFactor = state->GetItemValue2();
    const SInt32 depthOrder = state->GetItemValue3();
    for (SInt32 position = 0; position < mActivePatches.GetCount(); ++position) {
        TerrainPatch& patch = *mActivePatches.GetValue(position);
        if (patch.mDirty) {
            patch.mVertexBuffer->SetVertexData(patch.mVertices[patch.mCurrent].data(), patch.mNumberOfVertices, 4);
            patch.mVertexBuffer->SetDataModified();
            renderer->AddUpdateObject(patch.mDrawable.GetObject());
            patch.mDirty = false;
        }
        renderer->SetAuxiliaryObject(mSets[patch.mSet].mVertexBuffer.Get(), 0, 0);
        renderer->SetAuxiliaryObject(patch.mVertexBuffer.Get(), 0, 1);

        // World = parent × local: the node's place, then the patch within the terrain.
        Math::Matrix<float>& model = patch.mModelMatrix;
        model = current * patch.mPatchMatrix;
        for (UInt32 e = 0; e < 8; ++e)
            model[e] *= patch.mScale;

        patch.mDrawable->SetLevel(patch.mLevel);
        const Float offset[4] = {(patch.mCentreX - mWedge.mPosition.x) / patch.mScale,
                                 (patch.mCentreZ - mWedge.mPosition.z) / patch.mScale, patch.mScale,
                                 patch.mRange / patch.mScale};
        if (patch.mCameraOffset != nullptr)
            patch.mCameraOffset->SetValue(offset);
        renderer->SetParameters(patch.mParameters.Get(), patch.mLevel);
        renderer->AddDrawable(patch.mDrawable.Get(), model, scaleFactor, depthOrder);
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
