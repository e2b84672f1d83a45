#include "game/play/score_text.h"

#include <cmath>

#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kDiffuse = 1;

} // namespace

ScoreText::ScoreText()
    : GraphPositionObject(kDepthOrderBase), mNamespaceNode(new Logic::GraphNodeT<Graph::INamespace>()),
      mTimelineNode(new Logic::GraphNodeT<Graph::ITimeline>()), mTextNode(new Logic::GraphNodeT<Graph::IText>()),
      mScaleNode(new Logic::GraphNodeT<Graph::IScalable>()), mColourNode(new Logic::GraphNodeT<Graph::IParameters>())
{
}

ScoreText::~ScoreText()
{
    delete mColourNode;
    delete mScaleNode;
    delete mTextNode;
    delete mTimelineNode;
    delete mNamespaceNode;
}

Bool ScoreText::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mNamespaceNode->GetReference(nameSpace, path));
    Observe(mTimelineNode->GetReference(nameSpace, path + "/score_timeline"));
    Observe(mTextNode->GetReference(nameSpace, path + "/score_text"));
    Observe(mScaleNode->GetReference(nameSpace, path + "/score_scale"));
    Observe(mColourNode->GetReference(nameSpace, path + "/score_color"));
    return BindTransform(nameSpace, path + "/score_transform", index);
}

Graph::INode* ScoreText::GetRootNode() const
{
    return mNamespaceNode->GetNode();
}

void ScoreText::SetScale(Float scale)
{
    mScaleNode->Get()->SetScaleFactor(Math::Vector<float>(scale, scale, 1.0f, 0.0f));
}

void ScoreText::SetColour(const Math::Vector<Float>& colour)
{
    mColourNode->Get()->SetColor(kDiffuse, Color{colour.x, colour.y, colour.z, colour.w});
}

void ScoreText::StartText(Float duration, const String& text)
{
    Graph::ITimeline* timeline = mTimelineNode->Get();
    timeline->SetTimeScale(1.0f / duration);
    timeline->Rewind();
    timeline->Start();
    mTextNode->Get()->SetText(text);
}

Bool ScoreText::IsShowing() const
{
    return mTimelineNode->Get()->IsRunning();
}

ScoreTextContainer::ScoreTextContainer()
{
}

ScoreTextContainer::~ScoreTextContainer()
{
}

Bool ScoreTextContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<ScoreText>::Init(nameSpace, basePath, "/scoretext_container", "/scores");
}

void ScoreTextContainer::ShowScore(const String& text, Math::Vector<Float>& position,
                                   const Math::Vector<Float>& colour, Float duration, Float scale)
{
    // A text that would never end, or end before it began, would hold its entry for good.
    const Float timeScale = 1.0f / duration;
    if (!(duration > 0.0f) || !(timeScale > 0.0f) || !std::isfinite(timeScale))
        return;
    for (UInt32 pass = 0; pass < kMaxClearPasses; ++pass) {
        Bool moved = false;
        for (UInt32 i = 0; i < GetUsedEnd() && !moved; ++i) {
            if (!IsEntryUsed(i) || !GetEntry(i)->IsShowing())
                continue;
            const Math::Vector<Float>& other = GetEntry(i)->GetPosition();
            if (other.y + kClearHeight > position.y && position.y > other.y - kClearHeight &&
                other.x + kClearWidth > position.x && position.x > other.x - kClearWidth) {
                position.y = other.y - kClearHeight;
                moved = true;
            }
        }
        if (!moved)
            break;
    }
    ScoreText* entry = Obtain();
    if (entry == nullptr)
        return;
    entry->SetColour(colour);
    entry->SetScale(scale);
    entry->SetPosition(position);
    entry->UpdateTransform();
    entry->StartText(duration, text);
}

void ScoreTextContainer::Reset()
{
    ReleaseAll();
}

void ScoreTextContainer::Step(Double /*dt*/)
{
    // Releasing lowers the used end, so the bound is read afresh each time.
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (IsEntryUsed(i) && !GetEntry(i)->IsShowing()) {
            GetEntry(i)->SetVisible(false);
            SetEntryUsed(i, false);
        }
    }
}

} // namespace App
} // namespace Vorn
