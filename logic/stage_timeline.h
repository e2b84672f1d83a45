// The intro and outro of a stage, played as two time ranges of one graph timeline node.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IRoot;
class ITimeline;
}

namespace Logic {

class IStageTimeline
{
public:
    virtual void SetIntroBegin(Real seconds) = 0;
    virtual void SetIntroEnd(Real seconds) = 0;
    virtual void SetIntroTimes(Real begin, Real end) = 0;
    virtual Real GetIntroBegin() const = 0;
    virtual Real GetIntroEnd() const = 0;
    virtual void SetOutroBegin(Real seconds) = 0;
    virtual void SetOutroEnd(Real seconds) = 0;
    virtual void SetOutroTimes(Real begin, Real end) = 0;
    virtual Real GetOutroBegin() const = 0;
    virtual Real GetOutroEnd() const = 0;
    // Binds the timeline node at the path; false when it is missing or not a timeline.
    virtual Bool Init(Graph::IRoot* root, const String& timelineNodeId) = 0;
    // Releases the node.
    virtual Bool DeInit() = 0;
    // Runs the graph timeline over the intro (outro) times; false, starting nothing, without a
    // node or when either time is negative.
    virtual Bool PlayIntro() = 0;
    virtual Bool PlayOutro() = 0;
    // False without a node.
    virtual Bool IsRunning() const = 0;
    virtual ~IStageTimeline() {}
};

class StageTimeline : public IStageTimeline
{
public:
    StageTimeline();
    ~StageTimeline() override;

    void SetIntroBegin(Real seconds) override;
    void SetIntroEnd(Real seconds) override;
    void SetIntroTimes(Real begin, Real end) override;
    Real GetIntroBegin() const override;
    Real GetIntroEnd() const override;
    void SetOutroBegin(Real seconds) override;
    void SetOutroEnd(Real seconds) override;
    void SetOutroTimes(Real begin, Real end) override;
    Real GetOutroBegin() const override;
    Real GetOutroEnd() const override;
    Bool Init(Graph::IRoot* root, const String& timelineNodeId) override;
    Bool DeInit() override;
    Bool PlayIntro() override;
    Bool PlayOutro() override;
    Bool IsRunning() const override;

private:
    StageTimeline(const StageTimeline&) = delete;
    StageTimeline& operator=(const StageTimeline&) = delete;

    Bool Play(Real begin, Real end);

    GraphNodeT<Graph::ITimeline> mTimelineNode;
    Real mIntroBegin;
    Real mIntroEnd;
    Real mOutroBegin;
    Real mOutroEnd;
};

} // namespace Logic
} // namespace Vorn
