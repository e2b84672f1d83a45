// The base of every pooled game object: a pre-built graph instance whose transform node is bound
// once; the object keeps a position and a depth order and writes them into that transform.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/graph_node.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace Graph {
class INamespace;
class INode;
class ITransform;
} // namespace Graph

namespace App {

class GraphPositionObject
{
public:
    // The depth order of an object is its class's base plus its index in the pool.
    explicit GraphPositionObject(SInt32 depthOrderBase);
    // Does not de-initialise.
    virtual ~GraphPositionObject();

    // Back to the origin with an identity matrix and the object's own depth order; needs Init.
    virtual void Reset();
    // Binds the transform at the path; false, storing nothing else, when any reference of the
    // object did not resolve.
    virtual Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index);
    // Releases every reference; false when one could not be released.
    virtual Bool DeInit();
    // Writes the position into the translation of the bound matrix.
    virtual void UpdateTransform();
    // The node that the pool switches on and off: the instance's root.
    virtual Graph::INode* GetRootNode() const;
    // Switches the root node on or off; nothing for an unbound object.
    void SetActive(Bool active);

    void SetDepthOrder(SInt32 base);
    const Math::Vector<Float>& GetPosition() const { return mPosition; }
    void SetPosition(Float x, Float y, Float z = 0.0f);
    // All four components.
    void SetPosition(const Math::Vector<Float>& position) { mPosition = position; }
    SInt32 GetDepthOrderOffset() const { return mDepthOrderOffset; }

protected:
    // Adds a bound reference to the object's observer and returns it.
    Logic::GraphINode* Observe(Logic::GraphINode* reference);
    // Binds the transform at the path, then checks every observed reference and takes the index
    // and the matrix: the last step of every Init.
    Bool BindTransform(Graph::INamespace* nameSpace, const String& path, UInt32 index);

    SInt32 mDepthOrderBase;
    SInt32 mDepthOrderOffset;
    Math::Vector<Float> mPosition;
    Logic::GraphNodeT<Graph::ITransform>* mTransformNode;
    Math::Matrix<float>* mTransformMatrix;
    Logic::BaseNodeObserver mNodeObserver;

private:
    GraphPositionObject(const GraphPositionObject&) = delete;
    GraphPositionObject& operator=(const GraphPositionObject&) = delete;
};

// A fixed step of one scene unit, for the play objects that snap to it; the front end snaps to
// the display's units per pixel (GetUnitsPerPixel).
constexpr Float kMenuPixel = 1.0f;

// Snaps the translation of every transform below the node to the display's pixel grid, so that
// rows built from one template stand crisp; coordinates of 0 are kept.
void SnapTransformsToPixelGrid(Graph::INode* node);

} // namespace App
} // namespace Vorn
