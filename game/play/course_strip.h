// The track of one course: a closed band 70 units wide along the course's ellipse, built into
// the vertex and index buffers of a pooled instance of the "/course" template. The course
// handler takes one strip per course from the pool; the course animator gives it its ellipse and
// style and has it rebuilt while the course runs.
#pragma once

#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"

namespace Vorn {
namespace Graph {
class IIndexBuffer;
class INamespace;
class ITimeline;
class IVertexBuffer;
} // namespace Graph

namespace App {

class Ellipsis;

class CourseStrip : public GraphPositionObject
{
public:
    static constexpr UInt32 NumberOfStyles = 21;
    static constexpr Float HalfWidth = 35.0f;

    CourseStrip();
    ~CourseStrip() override;

    // No style, no ellipse, the timeline stopped and rewound.
    void Reset() override;
    // Binds the instance's nodes and prepares a closed band of indices and zeroed vertices.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    // Hiding also stops and rewinds the timeline.
    void SetActiveAndVisible(Bool activeAndVisible);
    // Styles from 21 on are ignored.
    void SetStyle(UInt32 style);
    UInt32 GetStyle() const { return mStyle; }
    void SetEllipsis(const Ellipsis* ellipse) { mEllipsis = ellipse; }
    void StartTimeline();
    Bool IsTimelineRunning() const;
    // Lays the band along the ellipse; a strip without ellipse or hidden keeps its geometry.
    void UpdateGeometry();

private:
    Logic::GraphNodeT<Graph::INamespace>* mNamespace;
    Logic::GraphNodeT<Graph::IIndexBuffer>* mIndexBuffer;
    Logic::GraphNodeT<Graph::IVertexBuffer>* mVertexBuffer;
    Logic::GraphNodeT<Graph::ITimeline>* mTimeline;
    UInt32 mStyle;
    const Ellipsis* mEllipsis;
};

// The pool of strips: "/course" instances under "/course_container".
class CourseContainer : public GraphInstanceContainer<CourseStrip>
{
public:
    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<CourseStrip>::Init;
    Bool Init(Graph::INamespace* nameSpace, const String& basePath)
    {
        return GraphInstanceContainer<CourseStrip>::Init(nameSpace, basePath, "/course_container", "/course");
    }
};

} // namespace App
} // namespace Vorn
