#include "game/online_scores_font.h"

#include <algorithm>

#include "foundation/text.h"
#include "game/halvex_highscores.h"
#include "game/helpers.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/text.h"

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 kScoreRowDepthOrder = 705000;
constexpr Float kRowSpacing = 40.0f;
constexpr Float kTopScroll = 240.0f;
const char* const kPlaceholderRank = "- - - - - - -";

Float Snap(Float position)
{
    return AlignToPixelGrid(position, 0.0f);
}

} // namespace

OnlineScoresFont::OnlineScoresFont() : GraphPositionObject(kScoreRowDepthOrder), mRankShown(0), mBound(false) {}

void OnlineScoresFont::Reset()
{
    GraphPositionObject::Reset();
    SetActive(false);
    mRankShown = 0;
}

Bool OnlineScoresFont::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Graph::INode* position = nameSpace->FindNode(path + "/position");
    if (position == nullptr)
        return true;
    position->RemoveReference();
    mBound = true;
    Observe(mInstance.GetReference(nameSpace, path));
    Observe(mRank.GetReference(nameSpace, path + "/rank"));
    Observe(mName.GetReference(nameSpace, path + "/name"));
    Observe(mScore.GetReference(nameSpace, path + "/score"));
    Observe(mParameters.GetReference(nameSpace, path + "/parameters"));
    if (mInstance.IsValid())
        SnapTransformsToPixelGrid(mInstance.GetNode());
    return BindTransform(nameSpace, path + "/position", index);
}

Graph::INode* OnlineScoresFont::GetRootNode() const
{
    return mInstance.GetNode();
}

void OnlineScoresFont::SetText(const Logic::GraphNodeT<Graph::IText>& node, const String& text)
{
    if (node.IsValid())
        node.Get()->SetText(text);
}

void OnlineScoresFont::SetRank(UInt32 rank)
{
    char text[64];
    if (rank == 0)
        Util::PrintToBuffer(text, sizeof(text), "%s", kPlaceholderRank);
    else
        Util::PrintToBuffer(text, sizeof(text), rank < 1000000 ? "%u." : "%u", rank);
    SetRankText(text);
    mRankShown = rank;
}

void OnlineScoresFont::SetRankText(const String& text)
{
    SetText(mRank, text);
}

void OnlineScoresFont::SetNameText(const String& text)
{
    SetText(mName, text);
}

void OnlineScoresFont::SetScoreText(const String& text)
{
    SetText(mScore, text);
}

void OnlineScoresFont::SetColor(const Color& color)
{
    if (mParameters.IsValid())
        mParameters.Get()->SetColor(1, color);
}

Bool OnlineScoresFont::IsNear(Float x, Float y, Float radius) const
{
    const Float dx = mPosition.x - x;
    const Float dy = mPosition.y - y;
    const Float reach = radius + 60.0f;
    return dx * dx + dy * dy < reach * reach;
}

OnlineScoresFontHandler::OnlineScoresFontHandler(HalvexHighscores* highscores)
    : mHighscores(highscores), mRefreshPending(0), mJustRefreshed(0), mEnabled(0), mLastScroll(0.0f)
{
}

Bool OnlineScoresFontHandler::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    const Bool bound = GraphInstanceContainer<OnlineScoresFont>::Init(nameSpace, basePath,
                                                                      "/onlinescoresfont_container",
                                                                      "/onlinescoresfont");
    const OnlineScoresFont* first = GetEntry(0);
    mEnabled = first != nullptr && first->IsBound() ? 1 : 0;
    return bound;
}

void OnlineScoresFontHandler::Refresh(const String& playerName)
{
    if (mEnabled == 0) {
        mRefreshPending = 0;
        return;
    }
    mHighscores->RequestScoreList(playerName);
    mRefreshPending = 1;
    mJustRefreshed = 0;
    ReleaseAll();
    mLastScroll = 0.0f;
    if (OnlineScoresFont* row = Obtain()) {
        row->SetColor(Color{0.0f, 0.0f, 0.0f, 0.8f});
        row->SetRankText("");
        row->SetNameText("Loading...");
        row->SetScoreText("");
        row->SetPosition(0.0f, Snap(-150.0f));
        row->UpdateTransform();
    }
}

void OnlineScoresFontHandler::ShowRow(UInt32 row)
{
    const HalvexHighscores::Entry& entry = mHighscores->GetEntries()[SInt32(row - 1)];
    OnlineScoresFont* font = Obtain();
    if (font == nullptr)
        return;
    if (entry.mRank >= 1) {
        font->SetRank(entry.mRank);
        font->SetNameText(entry.mName);
        font->SetScoreText(FormatScore(entry.mScore1));
    } else {
        font->SetRank(0);
        font->SetNameText("- - - - - - - - - - - - -");
        font->SetScoreText("- - - - - - - - - - - -");
    }
    font->SetPosition(0.0f, Snap(-kRowSpacing * Float(row + 3)));
    font->UpdateTransform();
    if (entry.mHighlight)
        font->SetColor(Color{1.0f, 1.0f, 1.0f, 1.0f});
    else if (row % 2 == 1)
        font->SetColor(Color{0.0f, 0.0f, 0.0f, 0.7f});
    else
        font->SetColor(Color{0.28f, 0.11f, 0.06f, 0.8f});
}

void OnlineScoresFontHandler::Update(Float scroll)
{
    if (mHighscores->IsBusy())
        return;
    if (mRefreshPending != 0) {
        mRefreshPending = 0;
        mJustRefreshed = 1;
        ReleaseAll();
    } else {
        mJustRefreshed = 0;
    }
    const UInt32 entries = UInt32(mHighscores->GetEntries().GetCount());
    if (entries == 0 || scroll == mLastScroll)
        return;
    const Float quotient = (scroll - kTopScroll - 100.0f) / kRowSpacing;
    const UInt32 first = quotient >= 2.0f ? UInt32(quotient) : 1;
    const UInt32 last = first + WindowRows - 1;
    for (UInt32 i = 0; i < GetCount(); ++i) {
        OnlineScoresFont* row = GetEntry(i);
        if (IsEntryUsed(i) && (row->GetRankShown() < first || row->GetRankShown() > last))
            Release(row);
    }
    for (UInt32 r = first; r <= last; ++r) {
        Bool shown = false;
        for (UInt32 i = 0; i < GetCount() && !shown; ++i)
            shown = IsEntryUsed(i) && GetEntry(i)->GetRankShown() == r;
        if (!shown && r - 1 < entries)
            ShowRow(r);
    }
    mLastScroll = scroll;
}

Bool OnlineScoresFontHandler::IsEmpty() const
{
    return mRefreshPending == 0 && mHighscores->GetEntries().GetCount() == 0;
}

Float OnlineScoresFontHandler::GetMaxScroll() const
{
    const Float entries = Float(mHighscores->GetEntries().GetCount());
    return std::max(kTopScroll, Snap(kRowSpacing * (entries - 2.0f)));
}

Float OnlineScoresFontHandler::GetHighlightScroll() const
{
    const Array<HalvexHighscores::Entry>& entries = mHighscores->GetEntries();
    for (SInt32 i = 0; i < entries.GetCount(); ++i) {
        if (entries[i].mHighlight)
            return std::max(kTopScroll, Snap(kRowSpacing * Float(i + 4)));
    }
    return kTopScroll;
}

} // namespace App
} // namespace Vorn
