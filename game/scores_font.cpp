#include "game/scores_font.h"

#include "game/helpers.h"
#include "graph/display_text.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/text.h"

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 kScoreRowDepthOrder = 705000;

// Row colours by style id: the current profile stands out in white, the others in the online
// list's two row colours.
const struct
{
    const char* mStyle;
    Color mColor;
} kRowStyles[] = {
    {"highlight", {1.0f, 1.0f, 1.0f, 1.0f}},
    {"1", {0.0f, 0.0f, 0.0f, 0.7f}},
    {"2", {0.28f, 0.11f, 0.06f, 0.8f}},
};

} // namespace

ScoresFont::ScoresFont() : GraphPositionObject(kScoreRowDepthOrder), mDisplayTextMode(0) {}

void ScoresFont::Reset()
{
    GraphPositionObject::Reset();
    SetActive(false);
}

Bool ScoresFont::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mInstance.GetReference(nameSpace, path));
    if (Graph::INode* tex = nameSpace->FindNode(path + "/tex")) {
        if (dynamic_cast<Graph::IText*>(tex) != nullptr)
            Observe(mTex.GetReference(tex));
        else
            mDisplayTextMode = 1;
        tex->RemoveReference();
    }
    Observe(mText.GetReference(nameSpace, path + "/text"));
    Observe(mParameters.GetReference(nameSpace, path + "/parameters"));
    Observe(mParametersScore.GetReference(nameSpace, path + "/parameters_score"));
    Observe(mScore.GetReference(nameSpace, path + "/score"));
    Observe(mSwitch.GetReference(nameSpace, path + "/switch"));
    if (mInstance.IsValid())
        SnapTransformsToPixelGrid(mInstance.GetNode());
    return BindTransform(nameSpace, path + "/position", index);
}

Graph::INode* ScoresFont::GetRootNode() const
{
    return mInstance.GetNode();
}

void ScoresFont::SetValue(const String& text, SInt32 form, const String& style)
{
    for (const auto& row : kRowStyles) {
        if (style == row.mStyle) {
            mParameters.Get()->SetColor(1, row.mColor);
            mParametersScore.Get()->SetColor(1, row.mColor);
        }
    }
    if (mDisplayTextMode != 0) {
        mSwitch.Get()->SetIndex(1);
        mText.Get()->SetText(text);
        return;
    }
    mSwitch.Get()->SetIndex(form);
    mText.Get()->SetText(text);
    if (mTex.IsValid())
        mTex.Get()->SetText(text);
}

Bool ScoresFont::CanRender(const String& text, const Graph::IDisplayText* font)
{
    if (font == nullptr)
        return false;
    const char* bytes = text.GetText();
    const SInt32 length = text.GetLength();
    for (SInt32 i = 0; i < length;) {
        if (UInt8(bytes[i]) <= ' ') {
            ++i;
            continue;
        }
        // A lead byte gathers the continuation bytes that follow it into one character.
        SInt32 end = i + 1;
        if (UInt8(bytes[i]) >= 0xC0) {
            while (end < length && UInt8(bytes[end]) >= 0x80 && UInt8(bytes[end]) <= 0xBF)
                ++end;
        }
        if (!font->HasGlyph(String(bytes + i, end - i)))
            return false;
        i = end;
    }
    return true;
}

Bool ScoresFontContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    return GraphInstanceContainer<ScoresFont>::Init(nameSpace, basePath, "/scoresfont_container", "/scoresfont");
}

} // namespace App
} // namespace Vorn
