// The tutorial's darkening cover: a fan of triangles from up to five corner points to a centre,
// drawn into a display object's vertex buffer, that fades in and out with a timeline. The player
// processor owns one and opens its window on the spot a tutorial hint points at.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/graph_node.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace Graph {
class IIndexBuffer;
class INamespace;
class ITimeline;
class ITransform;
class IVertexBuffer;
} // namespace Graph

namespace App {

class TutorialConcealer
{
public:
    static constexpr UInt32 MaxCorners = 5;
    static constexpr SInt32 DepthOrder = 690000;

    TutorialConcealer();
    virtual ~TutorialConcealer();

    // Hidden at once, no corners, the centre at the origin, the row 0.
    virtual void Reset();
    // Binds the instance at the path and its display object and timeline, and writes the index
    // buffer and a zeroed vertex buffer; false when a node is missing.
    virtual Bool Init(Graph::INamespace* nameSpace, const String& path);
    // Releases every reference; false when one could not be released.
    virtual Bool DeInit();

    void ClearCorners();
    // Corners beyond the fifth are dropped.
    void AddCorner(Float x, Float y, Float z, Float w);
    void SetCentre(Float x, Float y, Float z, Float w);
    void SetRow(UInt32 row) { mRow = row; }
    // Fades in.
    void Show();
    // Fades back; the first update after the fade switches the cover off.
    void Hide();
    void HideNow();
    // Writes the mesh while the cover is on.
    void Update();

    Bool IsShowing() const { return mShowing; }
    UInt32 GetNumberOfCorners() const { return UInt32(mCorners.GetCount()); }
    const Math::Vector<Float>& GetCorner(UInt32 index) const { return mCorners[SInt32(index)]; }
    const Math::Vector<Float>& GetCentre() const { return mCentre; }
    UInt32 GetRow() const { return mRow; }
    // Null while unbound.
    Graph::INode* GetNode() const { return mNamespace.GetNode(); }

private:
    TutorialConcealer(const TutorialConcealer&) = delete;
    TutorialConcealer& operator=(const TutorialConcealer&) = delete;

    void SetNodeActive(Bool active);

    Logic::GraphNodeT<Graph::INamespace> mNamespace;
    Logic::GraphNodeT<Graph::ITransform> mTransform;
    Logic::GraphNodeT<Graph::IIndexBuffer> mIndexBuffer;
    Logic::GraphNodeT<Graph::IVertexBuffer> mVertexBuffer;
    Logic::GraphNodeT<Graph::ITimeline> mTimeline;
    Logic::BaseNodeObserver mNodeObserver;
    Bool mShowing;
    UInt32 mRow;
    Array<Math::Vector<Float>> mCorners;
    Math::Vector<Float> mCentre;
};

} // namespace App
} // namespace Vorn
