#include "game/graph_position_object.h"

#include "game/helpers.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

GraphPositionObject::GraphPositionObject(SInt32 depthOrderBase)
    : mDepthOrderBase(depthOrderBase), mDepthOrderOffset(0), mPosition(0.0f, 0.0f, 0.0f, 1.0f),
      mTransformNode(new Logic::GraphNodeT<Graph::ITransform>()), mTransformMatrix(nullptr)
{
}

GraphPositionObject::~GraphPositionObject()
{
    delete mTransformNode;
}

void GraphPositionObject::Reset()
{
    mPosition = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    if (mTransformMatrix != nullptr)
        mTransformMatrix->SetIdentity();
    SetDepthOrder(mDepthOrderBase);
}

Logic::GraphINode* GraphPositionObject::Observe(Logic::GraphINode* reference)
{
    mNodeObserver.GetNodeObserver()->Add(reference);
    return reference;
}

Bool GraphPositionObject::BindTransform(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mTransformNode->GetReference(nameSpace, path));
    if (!mNodeObserver.GetNodeObserver()->AreAllValid())
        return false;
    mDepthOrderOffset = SInt32(index);
    mTransformMatrix = &mTransformNode->Get()->GetTransform();
    return true;
}

Bool GraphPositionObject::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    return BindTransform(nameSpace, path, index);
}

Bool GraphPositionObject::DeInit()
{
    mTransformMatrix = nullptr;
    return mNodeObserver.GetNodeObserver()->RemoveAll();
}

void GraphPositionObject::UpdateTransform()
{
    if (mTransformMatrix == nullptr)
        return;
    (*mTransformMatrix)[12] = mPosition.x;
    (*mTransformMatrix)[13] = mPosition.y;
    (*mTransformMatrix)[14] = mPosition.z;
}

Graph::INode* GraphPositionObject::GetRootNode() const
{
    return mTransformNode->GetNode();
}

void GraphPositionObject::SetActive(Bool active)
{
    if (Graph::INode* root = GetRootNode())
        root->SetActiveAndVisible(active);
}

void GraphPositionObject::SetDepthOrder(SInt32 base)
{
    if (mTransformNode->IsValid())
        mTransformNode->Get()->SetDepthOrder(base + mDepthOrderOffset);
}

void GraphPositionObject::SetPosition(Float x, Float y, Float z)
{
    mPosition.x = x;
    mPosition.y = y;
    mPosition.z = z;
}

void SnapTransformsToPixelGrid(Graph::INode* node)
{
    for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i) {
        Graph::INode* child = node->GetChild(i);
        if (auto* transform = dynamic_cast<Graph::ITransform*>(child)) {
            const Math::Matrix<float>& matrix = static_cast<const Graph::ITransform*>(transform)->GetTransform();
            if (matrix[12] != 0.0f)
                transform->SetPositionX(AlignToPixelGrid(matrix[12], 0.0f));
            if (matrix[13] != 0.0f)
                transform->SetPositionY(AlignToPixelGrid(matrix[13], 0.0f));
        }
        SnapTransformsToPixelGrid(child);
    }
}

} // namespace App
} // namespace Vorn
