#include "game/play/effects/explosions.h"

#include <algorithm>

#include "game/game_state.h"
#include "graph/axis_rotation.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/time/timeline.h"

namespace Vorn {
namespace App {

TimedExplosion::TimedExplosion(SInt32 depthOrderBase)
    : GraphPositionObject(depthOrderBase),
      mNamespaceNode(new Logic::GraphNodeT<Graph::INamespace>()),
      mTimelineNode(new Logic::GraphNodeT<Graph::ITimeline>())
{
}

TimedExplosion::~TimedExplosion()
{
    delete mNamespaceNode;
    delete mTimelineNode;
}

Bool TimedExplosion::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mNamespaceNode->GetReference(nameSpace, path));
    Observe(mTimelineNode->GetReference(nameSpace, path + "/timeline"));
    return BindTransform(nameSpace, path + "/sequence", index);
}

Graph::INode* TimedExplosion::GetRootNode() const
{
    return mNamespaceNode->GetNode();
}

void TimedExplosion::Start()
{
    if (!mTimelineNode->IsValid())
        return;
    Graph::ITimeline* timeline = mTimelineNode->Get();
    timeline->Rewind();
    timeline->SetTimeScale(1.0f);
    timeline->Start();
}

void TimedExplosion::SetSpeed(Float speed)
{
    // NaN fails the comparison and becomes the floor as well.
    if (!(speed >= kMinSpeed))
        speed = kMinSpeed;
    if (IsRunning())
        mTimelineNode->Get()->SetTimeScale(speed);
}

Bool TimedExplosion::IsRunning() const
{
    return mTimelineNode->IsValid() && mTimelineNode->Get()->IsRunning();
}

void TimedExplosion::SetRotation(Float angle)
{
    if (mTransformMatrix == nullptr)
        return;
    Math::Matrix<float>& matrix = *mTransformMatrix;
    Graph::WriteAxisRotation(matrix, 0.0f, 0.0f, 1.0f, angle);
}

void TimedExplosion::SetActiveAndVisible(Bool on)
{
    SetActive(on);
}

template <class T>
Float TimedExplosionContainer<T>::GetSpeed() const
{
    return mGameState != nullptr ? mGameState->GetTimeFactor() : 1.0f;
}

template <class T>
void TimedExplosionContainer<T>::Step(Double)
{
    // Taking an explosion back lowers the used end, so the bound is read afresh each time.
    for (UInt32 i = 0; i < this->GetUsedEnd(); ++i) {
        if (!this->IsEntryUsed(i))
            continue;
        T* explosion = this->GetEntry(i);
        explosion->SetSpeed(GetSpeed());
        if (!explosion->IsRunning()) {
            explosion->SetActiveAndVisible(false);
            this->SetEntryUsed(i, false);
        }
    }
}

template class TimedExplosionContainer<IceExplosion>;
template class TimedExplosionContainer<AshExplosion>;

Bool IceExplosionContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<IceExplosion>::Init(nameSpace, basePath, "/iceexplosion_container", "/iceexplosion");
}

Bool AshExplosionContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<AshExplosion>::Init(nameSpace, basePath, "/ashexplosion_container", "/ashexplosion");
}

} // namespace App
} // namespace Vorn
