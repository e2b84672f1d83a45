// The local high-score list of the main menu: each row is a pooled graph instance with a text in
// one of two forms (a bitmap-font text or a plain text node, chosen by a switch), a score text
// and two colours. The menu processor fills the rows.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class IDisplayText;
class INamespace;
class IParameters;
class ISwitch;
class IText;
} // namespace Graph

namespace App {

class ScoresFont : public GraphPositionObject
{
public:
    ScoresFont();

    void Reset() override;
    // False when a node of the row is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    // Shows the text in the given form (the switch's child); a row whose "tex" is no plain text
    // always shows the bitmap-font form. The style id ("highlight" for the current profile, "1"
    // and "2" for the others) colours the text and the score; an unknown id keeps the colours.
    void SetValue(const String& text, SInt32 form, const String& style);
    // True when the font has a glyph for every character above the space in the UTF-8 text.
    static Bool CanRender(const String& text, const Graph::IDisplayText* font);

    Graph::IDisplayText* GetScoreText() const { return mScore.Get(); }
    Graph::IParameters* GetParameters() const { return mParameters.Get(); }
    Graph::IParameters* GetScoreParameters() const { return mParametersScore.Get(); }
    Bool IsDisplayTextMode() const { return mDisplayTextMode != 0; }

private:
    Logic::GraphNodeT<Graph::INamespace> mInstance;
    Logic::GraphNodeT<Graph::IParameters> mParameters;
    Logic::GraphNodeT<Graph::IParameters> mParametersScore;
    Logic::GraphNodeT<Graph::ISwitch> mSwitch;
    Logic::GraphNodeT<Graph::IDisplayText> mText;
    Logic::GraphNodeT<Graph::IText> mTex;
    Logic::GraphNodeT<Graph::IDisplayText> mScore;
    UInt8 mDisplayTextMode;
};

class ScoresFontContainer : public GraphInstanceContainer<ScoresFont>
{
public:
    // Binds the rows under base path + "/scoresfont_container".
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);

private:
    using GraphInstanceContainer<ScoresFont>::Init;
};

} // namespace App
} // namespace Vorn
