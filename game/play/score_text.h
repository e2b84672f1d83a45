// Score pop-ups: pooled instances of the "/scores" graph, each a short animated text showing the
// points won at a place of the play field. The pool keeps a new text clear of those still showing
// and takes each back once its timeline has ended.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"

namespace Vorn {
namespace Graph {
class INamespace;
class IParameters;
class IScalable;
class IText;
class ITimeline;
} // namespace Graph

namespace App {

class ScoreText : public GraphPositionObject
{
public:
    static constexpr SInt32 kDepthOrderBase = 705000;

    ScoreText();
    ~ScoreText() override;

    // Binds the instance root at the path and its "/score_timeline", "/score_text",
    // "/score_scale", "/score_color" and "/score_transform"; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    void SetScale(Float scale);
    // Red, green, blue and alpha, as the diffuse colour.
    void SetColour(const Math::Vector<Float>& colour);
    // Plays the timeline from its start so that it lasts the given seconds, showing the text.
    void StartText(Float duration, const String& text);
    Bool IsShowing() const;
    void SetVisible(Bool visible) { SetActive(visible); }

private:
    Logic::GraphNodeT<Graph::INamespace>* mNamespaceNode;
    Logic::GraphNodeT<Graph::ITimeline>* mTimelineNode;
    Logic::GraphNodeT<Graph::IText>* mTextNode;
    Logic::GraphNodeT<Graph::IScalable>* mScaleNode;
    Logic::GraphNodeT<Graph::IParameters>* mColourNode;
};

// The play field's pool of score pop-ups, bound to "/scores" instances under
// "/scoretext_container".
class ScoreTextContainer : public GraphInstanceContainer<ScoreText>, public Logic::IStepable
{
public:
    // A running text nearer than these on both axes pushes a new one down by the height.
    static constexpr Float kClearHeight = 70.0f;
    static constexpr Float kClearWidth = 120.0f;
    static constexpr UInt32 kMaxClearPasses = 10;

    ScoreTextContainer();
    ~ScoreTextContainer() override;

    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<ScoreText>::Init;
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);

    // Shows the text near the position, which is moved down in place until no running text
    // covers it (at most ten moves). Nothing when every text is in use.
    void ShowScore(const String& text, Math::Vector<Float>& position, const Math::Vector<Float>& colour,
                   Float duration, Float scale);

    // Takes every text back.
    void Reset() override;
    // Takes back every text whose timeline has ended.
    void Step(Double dt) override;
};

} // namespace App
} // namespace Vorn
