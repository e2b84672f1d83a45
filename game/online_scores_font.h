// The online high-score list of the main menu: each row is a pooled graph instance with rank,
// name and score texts and a colour, and the handler keeps a window of 15 rows filled from the
// high-score client's list around the scroll position.
#pragma once

#include "foundation/attributes.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"

namespace Vorn {
namespace Graph {
class INamespace;
class IParameters;
class IText;
} // namespace Graph

namespace App {

class HalvexHighscores;

class OnlineScoresFont : public GraphPositionObject
{
public:
    OnlineScoresFont();

    void Reset() override;
    // A row whose instance has no "/position" stays unbound and gives true.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Graph::INode* GetRootNode() const override;

    // Rank 0 is a placeholder; ranks below a million get a point after the number.
    void SetRank(UInt32 rank);
    void SetRankText(const String& text);
    void SetNameText(const String& text);
    void SetScoreText(const String& text);
    void SetColor(const Color& color);
    // True when the row stands less than radius + 60 away from the point.
    Bool IsNear(Float x, Float y, Float radius) const;

    UInt32 GetRankShown() const { return mRankShown; }
    void SetRankShown(UInt32 rank) { mRankShown = rank; }
    Bool IsBound() const { return mBound; }

private:
    static void SetText(const Logic::GraphNodeT<Graph::IText>& node, const String& text);

    Logic::GraphNodeT<Graph::INamespace> mInstance;
    Logic::GraphNodeT<Graph::IParameters> mParameters;
    Logic::GraphNodeT<Graph::IText> mRank;
    Logic::GraphNodeT<Graph::IText> mName;
    Logic::GraphNodeT<Graph::IText> mScore;
    UInt32 mRankShown;
    Bool mBound;
};

class OnlineScoresFontHandler : public GraphInstanceContainer<OnlineScoresFont>
{
public:
    static constexpr UInt32 WindowRows = 15;

    // The client's list is shown; the client is not owned.
    explicit OnlineScoresFontHandler(HalvexHighscores* highscores);

    // Binds the rows under base path + "/onlinescoresfont_container"; the handler is enabled when
    // the first row's instance was bound.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // Asks for a new list and shows the loading row.
    void Refresh(const String& playerName);
    // Fills the window of rows around the scroll position once the list is in.
    void Update(Float scroll);

    Bool IsEmpty() const;
    Float GetMaxScroll() const;
    Float GetHighlightScroll() const;
    Bool IsRefreshed() const { return mJustRefreshed != 0; }
    Bool IsEnabled() const { return mEnabled != 0; }

private:
    using GraphInstanceContainer<OnlineScoresFont>::Init;

    void ShowRow(UInt32 row);

    HalvexHighscores* mHighscores;
    UInt8 mRefreshPending;
    UInt8 mJustRefreshed;
    UInt8 mEnabled;
    Float mLastScroll;
};

} // namespace App
} // namespace Vorn
