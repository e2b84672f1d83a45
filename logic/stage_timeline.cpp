#include "logic/stage_timeline.h"

#include "graph/time/timeline.h"

namespace Vorn {
namespace Logic {

StageTimeline::StageTimeline() : mIntroBegin(0.0f), mIntroEnd(0.0f), mOutroBegin(0.0f), mOutroEnd(0.0f)
{
}

StageTimeline::~StageTimeline()
{
}

void StageTimeline::SetIntroBegin(Real seconds)
{
    mIntroBegin = seconds;
}

void StageTimeline::SetIntroEnd(Real seconds)
{
    mIntroEnd = seconds;
}

void StageTimeline::SetIntroTimes(Real begin, Real end)
{
    mIntroBegin = begin;
    mIntroEnd = end;
}

Real StageTimeline::GetIntroBegin() const
{
    return mIntroBegin;
}

Real StageTimeline::GetIntroEnd() const
{
    return mIntroEnd;
}

void StageTimeline::SetOutroBegin(Real seconds)
{
    mOutroBegin = seconds;
}

void StageTimeline::SetOutroEnd(Real seconds)
{
    mOutroEnd = seconds;
}

void StageTimeline::SetOutroTimes(Real begin, Real end)
{
    mOutroBegin = begin;
    mOutroEnd = end;
}

Real StageTimeline::GetOutroBegin() const
{
    return mOutroBegin;
}

Real StageTimeline::GetOutroEnd() const
{
    return mOutroEnd;
}

Bool StageTimeline::Init(Graph::IRoot* root, const String& timelineNodeId)
{
    return mTimelineNode.GetReference(root, timelineNodeId)->IsValid();
}

Bool StageTimeline::DeInit()
{
    return mTimelineNode.Remove();
}

Bool StageTimeline::PlayIntro()
{
    return Play(mIntroBegin, mIntroEnd);
}

Bool StageTimeline::PlayOutro()
{
    return Play(mOutroBegin, mOutroEnd);
}

Bool StageTimeline::IsRunning() const
{
    return mTimelineNode.IsValid() && mTimelineNode.Get()->IsRunning();
}

Bool StageTimeline::Play(Real begin, Real end)
{
    Graph::ITimeline* timeline = mTimelineNode.Get();
    if (timeline == nullptr || begin < 0.0f || end < 0.0f)
        return false;
    timeline->SetStartTime(begin);
    timeline->SetEndTime(end);
    timeline->Rewind();
    timeline->Start();
    return true;
}

} // namespace Logic
} // namespace Vorn
