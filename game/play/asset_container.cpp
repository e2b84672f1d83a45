#include "game/play/asset_container.h"

#include "foundation/math.h"
#include "game/helpers.h"
#include "game/play/level_data.h"
#include "graph/axis_rotation.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/indexed.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/switch.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

// The view's edge never shows past the background.
constexpr Float kBackgroundMargin = 1.005f;

} // namespace

Asset::Asset()
    : GraphPositionObject(0), mAngle(0.0f), mPlaneIndex(0), mScale(1.0f, 1.0f, 1.0f, 1.0f),
      mPlaneSequence(new Logic::GraphNodeT<Graph::IDisplayPlaneSequence>()),
      mPlaneScale(new Logic::GraphNodeT<Graph::IScalable>()), mUnitsPerPixel(1.0f)
{
}

Asset::~Asset()
{
    delete mPlaneSequence;
    delete mPlaneScale;
}

void Asset::Reset()
{
    GraphPositionObject::Reset();
    mAngle = 0.0f;
    mScale = Math::Vector<Float>(1.0f, 1.0f, 1.0f, 1.0f);
    mPlaneIndex = 0;
}

Bool Asset::Init(Graph::INamespace* nameSpace, const String& path, UInt32)
{
    Observe(mPlaneSequence->GetReference(nameSpace, path));
    Observe(mPlaneScale->GetReference(nameSpace, path));
    return BindTransform(nameSpace, path, 0);
}

void Asset::UpdateTransform()
{
    if (mTransformMatrix == nullptr)
        return;
    (*mTransformMatrix)[12] = AlignToPixelGrid(mPosition.x, GetWidth(), mUnitsPerPixel);
    (*mTransformMatrix)[13] = AlignToPixelGrid(mPosition.y, GetHeight(), mUnitsPerPixel);
}

Bool Asset::SetPlaneIndex(UInt32 index)
{
    mPlaneIndex = index;
    if (mPlaneSequence->IsValid())
        mPlaneSequence->Get()->SetIndex(SInt32(index));
    return true;
}

void Asset::SetScale(Float x, Float y, Float z, Float w)
{
    mScale = Math::Vector<Float>(x, y, z, w);
    if (mPlaneScale->IsValid())
        mPlaneScale->Get()->SetScaleFactor(x, y, 1.0f);
}

void Asset::SetAngle(Float angle)
{
    mAngle = angle;
    if (mTransformMatrix != nullptr)
        Graph::WriteAxisRotation(*mTransformMatrix, 0.0f, 0.0f, 1.0f, angle);
}

void Asset::SetVisible(Bool visible)
{
    SetActive(visible);
}

Float Asset::GetWidth() const
{
    return mPlaneSequence->IsValid() ? mPlaneSequence->Get()->GetCurrentSizeX() : 0.0f;
}

Float Asset::GetHeight() const
{
    return mPlaneSequence->IsValid() ? mPlaneSequence->Get()->GetCurrentSizeY() : 0.0f;
}

void ApplyAssetEntry(Asset* asset, const AssetEntry& entry)
{
    asset->SetPlaneIndex(entry.mPicture);
    asset->SetPosition(entry.mX, entry.mY);
    asset->UpdateTransform();
    asset->SetDepthOrder(entry.mDepthOffset);
    asset->SetAngle(entry.mRotation);
    asset->SetScale(entry.mScaleX, entry.mScaleY, 1.0f, 1.0f);
}

AssetContainer::AssetContainer()
    : mBackgroundSwitch(new Logic::GraphNodeT<Graph::ISwitch>()),
      mRoot(new Logic::GraphNodeT<Graph::INamespace>()),
      mZenScreen(new Logic::GraphNodeT<Graph::IDisplayPlane>()),
      mScreen(new Logic::GraphNodeT<Graph::IDisplayPlaneSequence>()),
      mScreenIndex(new Logic::GraphNodeT<Graph::IIndexed>()),
      mScreenScale(new Logic::GraphNodeT<Graph::IScalable>()), mUnitsPerPixel(1.0f)
{
}

AssetContainer::~AssetContainer()
{
    delete mBackgroundSwitch;
    delete mRoot;
    delete mZenScreen;
    delete mScreen;
    delete mScreenIndex;
    delete mScreenScale;
}

Bool AssetContainer::Init(const String& rootPath, const String& stagePath)
{
    mRootPath = rootPath;
    mStagePath = stagePath;
    return true;
}

Bool AssetContainer::InitBackground(Graph::INamespace* root, const String& backgroundId)
{
    if (root == nullptr)
        return false;
    const String screen = mRootPath + "/" + backgroundId + "/screen";
    mBackgroundSwitch->GetReference(root, mStagePath + "/bg_switch");
    mRoot->GetReference(root, mRootPath);
    mScreen->GetReference(root, screen);
    mScreenIndex->GetReference(root, screen);
    mScreenScale->GetReference(root, screen);
    mZenScreen->Remove();
    // The pool may still hold the decorations of the last level's background package.
    GraphInstanceContainer<Asset>::DeInit();
    if (!mBackgroundSwitch->IsValid() || !mRoot->IsValid() || !mScreen->IsValid() || !mScreenIndex->IsValid() ||
        !mScreenScale->IsValid())
        return false;
    if (!GraphInstanceContainer<Asset>::Init(root, mRootPath, "/" + backgroundId + "/asset_container",
                                             "/" + backgroundId + "/asset"))
        return false;
    for (UInt32 i = 0; i < GetCount(); ++i)
        GetEntry(i)->SetUnitsPerPixel(mUnitsPerPixel);
    mBackgroundSwitch->Get()->SetIndex(0);
    return true;
}

Bool AssetContainer::InitZenBackground(Graph::INamespace* root, const String& backgroundId)
{
    if (root == nullptr)
        return false;
    mBackgroundSwitch->GetReference(root, mStagePath + "/bg_switch");
    mRoot->GetReference(root, mRootPath);
    mZenScreen->GetReference(root, mRootPath + "/" + backgroundId + "/screen");
    mScreen->Remove();
    mScreenIndex->Remove();
    mScreenScale->Remove();
    GraphInstanceContainer<Asset>::DeInit();
    if (!mBackgroundSwitch->IsValid() || !mRoot->IsValid() || !mZenScreen->IsValid())
        return false;
    mBackgroundSwitch->Get()->SetIndex(1);
    return true;
}

Bool AssetContainer::DeInit()
{
    Bool released = GraphInstanceContainer<Asset>::DeInit();
    Logic::GraphINode* const nodes[] = {mBackgroundSwitch, mRoot, mZenScreen, mScreen, mScreenIndex, mScreenScale};
    for (Logic::GraphINode* node : nodes)
        released = node->Remove() && released;
    return released;
}

void AssetContainer::SetBackgroundScale(Float width, Float height)
{
    if (mScreenScale->IsValid())
        mScreenScale->Get()->SetScaleFactor(width * kBackgroundMargin, height * kBackgroundMargin, 1.0f);
    if (mZenScreen->IsValid())
        mZenScreen->Get()->SetScaleFactor(width * kBackgroundMargin, height * kBackgroundMargin, 1.0f);
}

UInt32 AssetContainer::GetBackgroundFrameCount() const
{
    return mScreen->IsValid() ? mScreen->Get()->GetNumberOfIndices() : 0;
}

void AssetContainer::SetBackgroundActive(Bool active)
{
    if (mRoot->IsValid())
        mRoot->GetNode()->SetActive(active);
}

void AssetContainer::SelectBackgroundFrame(UInt32 frame)
{
    if (mScreenIndex->IsValid() && mScreen->IsValid() && frame < GetBackgroundFrameCount())
        mScreenIndex->Get()->SetIndex(SInt32(frame));
}

UInt32 AssetContainer::PlaceAssets(const AssetEntry* entries, UInt32 count)
{
    for (UInt32 i = 0; i < count; ++i) {
        Asset* asset = Obtain();
        if (asset == nullptr)
            return i;
        ApplyAssetEntry(asset, entries[i]);
    }
    return count;
}

} // namespace App
} // namespace Vorn
