#include "graph/terrain/display_terrain_billboards.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/random.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/render/bound_node.h"
#include "graph/terrain/height_field.h"
#include "graph/terrain/map_surface.h"
#include "graph/traversal_state.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

namespace {

const VertexAttributeRow kLayout[] = {
    {Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_2},
    {Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
    {Enums::VertexAttribute::COLOR, Enums::AttributeType::FLOAT_VECTOR_3},
};

// The corners of a billboard: offset from its foot (in half widths and heights) and texture
// coordinates.
struct Corner
{
    Float mSide;
    Float mUp;
    Float mU;
    Float mV;
};

const Corner kCorners[4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {-1, 0, 0, 1}, {1, 0, 1, 1}};

// Quotient rounded towards minus infinity and the remainder that goes with it (never negative).
SInt64 FloorDivide(SInt64 value, SInt64 divisor)
{
    const SInt64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

DisplayTerrainBillboards::DisplayTerrainBillboards()
    : mMapSize(32768), mTileSize(2048), mMaxTiles(128), mMaxObjectsPerTile(256), mMinRange(512.0f),
      mMaxRange(6144.0f), mHeightField(nullptr), mHeightFieldNode(nullptr), mTilesPerSide(0), mTileRadius(0.0f),
      mFrame(0)
{
    AddFlags(kNeedsPrepareOutput);
}

DisplayTerrainBillboards::~DisplayTerrainBillboards()
{
}

INode* DisplayTerrainBillboards::Create()
{
    return new (std::nothrow) DisplayTerrainBillboards();
}

const NodeClassInfo& DisplayTerrainBillboards::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayTerrainBillboards"));
    return info;
}

Bool DisplayTerrainBillboards::DeserializeAttribute(UInt32 index, const IAttributes* attributes,
                                                    const IAttributes* parameters, Bool* error)
{
    switch (DisplayTerrainBillboardsAttributes::GetTable().FindAttribute(attributes, index)) {
    case DisplayTerrainBillboardsAttributes::kMapSize:
        attributes->GetValue(index, parameters, &mMapSize, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kTileSize:
        attributes->GetValue(index, parameters, &mTileSize, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kMaxTiles:
        attributes->GetValue(index, parameters, &mMaxTiles, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kMaxObjectsPerTile:
        attributes->GetValue(index, parameters, &mMaxObjectsPerTile, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kMinRange:
        attributes->GetValue(index, parameters, &mMinRange, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kMaxRange:
        attributes->GetValue(index, parameters, &mMaxRange, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kLightMapResourceId:
        attributes->GetValue(index, parameters, &mLightMapId, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kObjectMapResourceId:
        attributes->GetValue(index, parameters, &mObjectMapId, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kObjectAtlasResourceId:
        attributes->GetValue(index, parameters, &mObjectAtlasId, error);
        return true;
    case DisplayTerrainBillboardsAttributes::kHeightFieldId:
        attributes->GetValue(index, parameters, &mHeightFieldId, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool DisplayTerrainBillboards::CheckSettings() const
{
    if (mTileSize == 0) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): tileSize must not be 0", mId.GetText());
        return false;
    }
    if (mMapSize < mTileSize) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): mapSize %u is below tileSize %u", mId.GetText(),
                     mMapSize, mTileSize);
        return false;
    }
    if (mMaxObjectsPerTile > kMaxObjectsPerTileLimit) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): maxObjectsPerTile %u is above %u", mId.GetText(),
                     mMaxObjectsPerTile, kMaxObjectsPerTileLimit);
        return false;
    }
    return true;
}

Bool DisplayTerrainBillboards::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mObjectMapId.IsEmpty()) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): No object map specified", mId.GetText());
        return false;
    }
    if (mHeightFieldId.IsEmpty()) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): No height field specified", mId.GetText());
        return false;
    }
    if (!CheckSettings())
        return false;
    Bool found = false;
    INode* node = FindBoundNode<INode>(state, mHeightFieldId, &found);
    if (!found) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Failed to get height field node \"%s\"",
                     mId.GetText(), mHeightFieldId.GetText());
        return false;
    }
    mHeightField = dynamic_cast<IHeightField*>(node);
    if (mHeightField == nullptr) {
        node->RemoveReference();
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Node \"%s\" is not a height field", mId.GetText(),
                     mHeightFieldId.GetText());
        return false;
    }
    mHeightFieldNode = node;
    mTileRadius = Float(mTileSize / 2) * 1.42f;
    return Scatter(state->GetResourceCollection()) && CreateDrawables(state->GetDisplayRenderer());
}

Bool DisplayTerrainBillboards::Scatter(Resource::ICollection* collection)
{
    const LogSite site{"DisplayTerrainBillboards", "InitSelf", mId};
    MapSurface lightMap;
    MapSurface objectMap;
    if (!lightMap.Open(collection, mLightMapId, "light map", site) ||
        !objectMap.Open(collection, mObjectMapId, "object map", site))
        return false;
    const UInt32 width = objectMap.GetWidth();
    // The light map is read at the object map's pixels, and the tiles cut the object map in squares.
    if (lightMap.GetWidth() != width || lightMap.GetHeight() != objectMap.GetHeight()) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Light map is %ux%u, the object map %ux%u",
                     mId.GetText(), lightMap.GetWidth(), lightMap.GetHeight(), width, objectMap.GetHeight());
        return false;
    }
    if (objectMap.GetHeight() != width) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Object map is %ux%u, not square", mId.GetText(),
                     width, objectMap.GetHeight());
        return false;
    }
    const UInt32 tiles = mMapSize / mTileSize;
    if (tiles > width) {
        Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Object map of %u pixels is narrower than the %u "
                     "tiles across the map",
                     mId.GetText(), width, tiles);
        return false;
    }
    mTilesPerSide = tiles;
    const Float cell = Float(mMapSize) / Float(width);
    const UInt32 pixels = width / tiles;
    mTiles.clear();
    mTiles.resize(std::size_t(tiles) * tiles);

    Util::Marsaglia random(0);
    for (UInt32 ty = 0; ty < tiles; ++ty) {
        for (UInt32 tx = 0; tx < tiles; ++tx) {
            std::unique_ptr<Tile> tile(new (std::nothrow) Tile());
            if (tile == nullptr) {
                Debug::Trace("Graph::DisplayTerrainBillboards::InitSelf(%s): Cannot allocate a tile", mId.GetText());
                return false;
            }
            tile->mCentreX = Float(tx * pixels + pixels / 2) * cell;
            tile->mCentreZ = Float(ty * pixels + pixels / 2) * cell;
            for (UInt32 j = 0; j < pixels; ++j) {
                for (UInt32 i = 0; i < pixels; ++i) {
                    const UInt32 column = tx * pixels + i;
                    const UInt32 row = ty * pixels + j;
                    const UInt8* light = lightMap.GetPixel(column, row);
                    Float tint[3];
                    for (UInt32 k = 0; k < 3; ++k)
                        tint[k] = Float(light[k]) * 2.0f / 255.0f;
                    const Float mean = (tint[0] + tint[1] + tint[2]) / 4.0f;
                    const Float chance = Float(objectMap.GetRed(column, row)) / 255.0f * 0.15f;
                    const Float draw = random.RandReal(0.0f, 1.0f);
                    // A zero byte places nothing, also for the one draw of 0 in the sequence.
                    if (chance <= 0.0f || draw > chance || UInt32(tile->mBillboards.GetCount()) >= mMaxObjectsPerTile)
                        continue;
                    Billboard billboard;
                    const Float dx = (Float(SInt32(i) - SInt32(pixels / 2))) * cell;
                    const Float dz = (Float(SInt32(j) - SInt32(pixels / 2))) * cell;
                    billboard.mPosition[0] = dx;
                    billboard.mPosition[1] = mHeightField->GetHeight(tile->mCentreX + dx, tile->mCentreZ + dz);
                    billboard.mPosition[2] = dz;
                    billboard.mPosition[3] = 1.0f;
                    billboard.mHalfWidth = random.RandReal(20.0f, 50.0f);
                    billboard.mHeight = billboard.mHalfWidth * 2.6f;
                    billboard.mUnused = 0.0f;
                    for (UInt32 k = 0; k < 3; ++k)
                        billboard.mColor[k] = tint[k] / 2.0f + mean;
                    tile->mBillboards.Add(billboard);
                }
            }
            const UInt32 count = UInt32(tile->mBillboards.GetCount());
            if (count == 0)
                continue;
            // Back to front for a camera looking along +x, -x, +z and -z.
            const Array<Billboard>& billboards = tile->mBillboards;
            for (UInt32 order = 0; order < 4; ++order) {
                std::vector<UInt32>& list = tile->mOrders[order];
                list.resize(count);
                for (UInt32 b = 0; b < count; ++b)
                    list[b] = b;
                const UInt32 axis = order < 2 ? 0 : 2;
                const Bool decreasing = (order & 1) == 0;
                std::stable_sort(list.begin(), list.end(), [&](UInt32 a, UInt32 b) {
                    const Float pa = billboards[SInt32(a)].mPosition[axis];
                    const Float pb = billboards[SInt32(b)].mPosition[axis];
                    return decreasing ? pa > pb : pa < pb;
                });
            }
            mTiles[std::size_t(ty) * tiles + tx] = std::move(tile);
        }
    }
    return true;
}

Bool DisplayTerrainBillboards::CreateDrawables(Display::IRenderer* renderer)
{
    mIndices.resize(std::size_t(mMaxObjectsPerTile) * 6);
    mGroups.resize(std::size_t(mMaxObjectsPerTile) * 2);
    for (UInt32 i = 0; i < mMaxObjectsPerTile; ++i) {
        const UInt16 first = UInt16(4 * i);
        const UInt16 quad[6] = {first, UInt16(first + 1), UInt16(first + 2), UInt16(first + 2), UInt16(first + 1),
                                UInt16(first + 3)};
        std::copy(quad, quad + 6, mIndices.begin() + std::ptrdiff_t(6 * i));
        mGroups[2 * i] = 6;
        mGroups[2 * i + 1] = 6 * i;
    }
    for (UInt32 number = 0; number < mMaxTiles; ++number) {
        if (!CreateSlot(number, renderer))
            return false;
    }
    return true;
}

Bool DisplayTerrainBillboards::CreateSlot(UInt32 number, Display::IRenderer* renderer)
{
    std::unique_ptr<Slot> made(new (std::nothrow) Slot());
    if (made == nullptr) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Cannot allocate slot #%u", mId.GetText(),
                     number);
        return false;
    }
    mSlots.push_back(std::move(made));
    Slot& slot = *mSlots.back();
    if (!slot.mParameters.Create(renderer, "Parameters")) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to create parameters object",
                     mId.GetText());
        return false;
    }
    slot.mViewSide = slot.mParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_0);
    slot.mInstance = slot.mParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_1);

    slot.mIdentity.resize(mMaxObjectsPerTile);
    for (UInt32 i = 0; i < mMaxObjectsPerTile; ++i)
        slot.mIdentity[i] = i;
    if (!slot.mIndexBuffer.Create(renderer, "IndexBuffer")) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to create indexBuffer object #%u",
                     mId.GetText(), number);
        return false;
    }
    slot.mIndexBuffer->SetPrimitiveType(Enums::PrimitiveType::TRIANGLES);
    slot.mIndexBuffer->SetIndexData(mIndices.data(), UInt32(mIndices.size()));
    slot.mIndexBuffer->SetNumberOfIndices(SInt32(mIndices.size()));
    slot.mIndexBuffer->SetNumberOfBatches(mMaxObjectsPerTile);
    slot.mIndexBuffer->SetBatches(mGroups.data());
    slot.mIndexBuffer->SetNumberOfSelectedBatches(0);
    slot.mIndexBuffer->SetSelectedBatches(slot.mIdentity.data());
    if (!slot.mIndexBuffer.Init()) {
        Debug::Trace(
            "Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to initialize index buffer object #%u",
            mId.GetText(), number);
        return false;
    }
    if (!slot.mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to create vertex buffer object #%u",
                     mId.GetText(), number);
        return false;
    }
    const UInt32 vertexCount = 4 * mMaxObjectsPerTile;
    slot.mVertices.assign(std::size_t(vertexCount) * kFloatsPerVertex, 0.0f);
    slot.mVertexBuffer->SetNumberOfVertices(vertexCount);
    slot.mVertexBuffer->SetVertexData(slot.mVertices.data(), vertexCount, kVertexSize);
    if (!DeclareVertexLayout(slot.mVertexBuffer.Get(), kLayout, 4) || !slot.mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to initialize vertex buffer object",
                     mId.GetText());
        return false;
    }
    if (!slot.mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to create drawable object",
                     mId.GetText());
        return false;
    }
    slot.mDrawable->AddVertexBuffer(slot.mVertexBuffer.Get());
    slot.mDrawable->AddIndexBuffer(slot.mIndexBuffer.Get());
    if (!slot.mDrawable.Init()) {
        Debug::Trace("Graph::DisplayTerrainBillboards::CreateDrawables(%s): Failed to initialize drawable object",
                     mId.GetText());
        return false;
    }
    mFreeSlots.Add(&slot);
    return true;
}

void DisplayTerrainBillboards::Release(Display::IRenderer* renderer)
{
    for (std::unique_ptr<Slot>& slot : mSlots) {
        slot->mDrawable.Release(renderer);
        slot->mVertexBuffer.Release(renderer);
        slot->mIndexBuffer.Release(renderer);
        slot->mParameters.Release(renderer);
    }
    mSlots.clear();
    mFreeSlots.Clear();
    mActiveSlots.Clear();
    mTiles.clear();
    mTilesPerSide = 0;
    mIndices = std::vector<UInt16>();
    mGroups = std::vector<UInt32>();
    mHeightField = nullptr;
    ReleaseBoundNode(mHeightFieldNode);
}

Bool DisplayTerrainBillboards::DeInitSelf(IDeInitState* state)
{
    Release(state->GetDisplayRenderer());
    return Transform::DeInitSelf(state);
}

Bool DisplayTerrainBillboards::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayTerrainBillboards::CullOutput(ICullOutputState* state)
{
    ++mFrame;
    IView* view = state->GetCurrentView();
    if (view != nullptr && view->GetCamera() != nullptr && mTilesPerSide > 0) {
        mWedge.Set(view->GetCameraTransform());
        ActivateTiles();
    }
    SInt32 kept = 0;
    for (SInt32 i = 0; i < mActiveSlots.GetCount(); ++i) {
        Slot* slot = mActiveSlots[i];
        if (slot->mFrame == mFrame) {
            mActiveSlots[kept++] = slot;
            continue;
        }
        slot->mTile->mSlot = nullptr;
        slot->mTile = nullptr;
        mFreeSlots.Add(slot);
    }
    while (mActiveSlots.GetCount() > kept)
        mActiveSlots.RemoveAt(mActiveSlots.GetCount() - 1);
    return true;
}

void DisplayTerrainBillboards::ActivateTiles()
{
    const Double size = Double(mTileSize);
    const Double px = mWedge.mPosition.x;
    const Double pz = mWedge.mPosition.z;
    const Double firstRow = std::floor((pz - mMaxRange) / size) - 1.0;
    const Double lastRow = std::floor((pz + mMaxRange) / size);
    const Double firstColumn = std::floor((px - mMaxRange) / size) - 1.0;
    const Double lastColumn = std::floor((px + mMaxRange) / size);
    // A camera or range beyond any tile index draws nothing.
    constexpr Double kLimit = Double(std::numeric_limits<SInt32>::max());
    if (!(std::fabs(firstRow) < kLimit && std::fabs(lastRow) < kLimit && std::fabs(firstColumn) < kLimit &&
          std::fabs(lastColumn) < kLimit))
        return;
    for (SInt64 row = SInt64(firstRow); row <= SInt64(lastRow); ++row) {
        for (SInt64 column = SInt64(firstColumn); column <= SInt64(lastColumn); ++column) {
            if (!ActivateTile(column, row))
                return;
        }
    }
}

Bool DisplayTerrainBillboards::ActivateTile(SInt64 column, SInt64 row)
{
    const SInt64 tiles = SInt64(mTilesPerSide);
    const SInt64 repeatX = FloorDivide(column, tiles);
    const SInt64 repeatZ = FloorDivide(row, tiles);
    Tile* tile = mTiles[std::size_t((row - repeatZ * tiles) * tiles + (column - repeatX * tiles))].get();
    if (tile == nullptr)
        return true;
    const Float x = Float(Double(repeatX) * mMapSize + tile->mCentreX);
    const Float z = Float(Double(repeatZ) * mMapSize + tile->mCentreZ);
    const Float dx = x - mWedge.mPosition.x;
    const Float dz = z - mWedge.mPosition.z;
    if (std::sqrt(dx * dx + dz * dz) - mTileRadius > mMaxRange)
        return true;
    if (mWedge.IsOutside(x, z, Float(mTileSize) / 2.0f, std::numeric_limits<Float>::infinity()))
        return true;
    const Math::Vector<float>& ground = mWedge.mGround;
    const UInt32 direction = std::fabs(ground.x) > std::fabs(ground.z) ? (ground.x > 0.0f ? 0 : 1)
                                                                        : (ground.z > 0.0f ? 2 : 3);
    Slot* slot = tile->mSlot;
    if (slot != nullptr) {
        // The first repetition reached this frame is the one drawn; moving there keeps the vertices.
        if (slot->mFrame != mFrame) {
            slot->mFrame = mFrame;
            slot->mTileMatrix[12] = x;
            slot->mTileMatrix[14] = z;
        }
        if (slot->mDirection != direction) {
            slot->mNeedsSubmit = true;
            slot->mOrderChanged = true;
            slot->mDirection = direction;
        }
        return true;
    }
    if (mFreeSlots.IsEmpty())
        return false;
    slot = mFreeSlots.GetLast();
    mFreeSlots.RemoveAt(mFreeSlots.GetCount() - 1);
    slot->mFrame = mFrame;
    slot->mTileMatrix.SetIdentity();
    slot->mTileMatrix[12] = x;
    slot->mTileMatrix[14] = z;
    slot->mTile = tile;
    slot->mDirection = direction;
    WriteVertices(*slot);
    slot->mNeedsSubmit = true;
    slot->mOrderChanged = true;
    slot->mVerticesChanged = true;
    tile->mSlot = slot;
    mActiveSlots.Add(slot);
    return true;
}

void DisplayTerrainBillboards::WriteVertices(Slot& slot) const
{
    Float* vertex = slot.mVertices.data();
    for (const Billboard& billboard : slot.mTile->mBillboards) {
        for (const Corner& corner : kCorners) {
            vertex[0] = billboard.mPosition[0];
            vertex[1] = billboard.mPosition[1];
            vertex[2] = billboard.mPosition[2];
            vertex[3] = corner.mSide * billboard.mHalfWidth;
            vertex[4] = corner.mUp * billboard.mHeight;
            vertex[5] = corner.mU;
            vertex[6] = corner.mV;
            vertex[7] = billboard.mColor[0];
            vertex[8] = billboard.mColor[1];
            vertex[9] = billboard.mColor[2];
            vertex += kFloatsPerVertex;
        }
    }
}

Bool DisplayTerrainBillboards::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (renderer == nullptr)
        return true;
    const Math::Matrix<float>* itemTransform = state->GetItemValue1();
    const Math::Matrix<float> current = itemTransform != nullptr ? *itemTransform : Math::Matrix<float>();
    const Math::Vector<float>& direction = mWedge.mDirection;
    const Float viewSide[4] = {direction.z, -direction.x, 0.0f, 0.0f};
    for (Slot* slot : mActiveSlots) {
        Tile* tile = slot->mTile;
        if (slot->mNeedsSubmit) {
            if (slot->mOrderChanged) {
                const std::vector<UInt32>& order = tile->mOrders[slot->mDirection];
                slot->mIndexBuffer->SetSelectedBatches(order.data());
                slot->mIndexBuffer->SetNumberOfSelectedBatches(UInt32(order.size()));
                slot->mIndexBuffer->SetSelectionModified();
            }
            if (slot->mVerticesChanged)
                slot->mVertexBuffer->SetDataModified();
            renderer->AddUpdateObject(slot->mDrawable.GetObject());
            slot->mNeedsSubmit = false;
            slot->mOrderChanged = false;
            slot->mVerticesChanged = false;
        }
        slot->mWorldMatrix = current * slot->mTileMatrix;
        const Float instance[4] = {slot->mTileMatrix[12], 0.0f, slot->mTileMatrix[14], 0.0f};
        if (slot->mViewSide != nullptr)
            slot->mViewSide->SetValue(viewSide);
        if (slot->mInstance != nullptr)
            slot->mInstance->SetValue(instance);
        renderer->SetParameters(slot->mParameters.Get(), 0);
        renderer->SetAuxiliaryObject(slot->mVertexBuffer.Get(), 0, 0);
        renderer->SetAuxiliaryObject(nullptr, 0, 1);
        renderer->AddDrawable(slot->mDrawable.Get(), slot->mWorldMatrix, nullptr, state->GetItemValue3());
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
