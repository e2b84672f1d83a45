#include "game/local_highscores.h"

#include <cmath>
#include <cstdio>

#include "foundation/debug.h"
#include "foundation/string.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/menu_text.h"
#include "game/player_data.h"
#include "game/scores_font.h"
#include "graph/display_text.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kCategories = 6;
constexpr UInt32 kSlots = GameState::NumberOfPlayers;
constexpr SInt32 kPlainTextForm = 1;

// Times rank by whole rounded seconds; the clamp keeps the conversion defined.
Double RoundedSeconds(Float seconds)
{
    const Double t = Double(seconds);
    return t >= 0.0 ? std::floor(t + 0.5) : 0.0;
}

String FormatUnsigned(UInt32 value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%u", unsigned(value));
    return String(buffer);
}

// The value that ranks a profile in category k (1 to 6) and the text that the row shows.
Double RankValue(const PlayerData& player, UInt32 k)
{
    const PlayerLevelData* zen = player.GetLevel(0);
    switch (k) {
    case 1: return Double(player.ComputeTotalScore());
    case 2: return Double(player.SumLevelWord2());
    case 3: return RoundedSeconds(player.GetLevelTime());
    case 4: return zen != nullptr ? Double(zen->GetScore()) : 0.0;
    case 5: return zen != nullptr ? Double(zen->GetStars()) : 0.0;
    default: return zen != nullptr ? RoundedSeconds(zen->GetTime()) : 0.0;
    }
}

String ValueText(const PlayerData& player, UInt32 k)
{
    const PlayerLevelData* zen = player.GetLevel(0);
    switch (k) {
    case 1: return FormatScore(player.ComputeTotalScore());
    case 2: {
        // Three stars a level for every level before the one reached.
        const UInt32 reached = player.GetFrontier();
        const UInt32 possible = reached > 0 ? 3 * reached - 3 : 0;
        return FormatUnsigned(player.SumLevelWord2()) + " / " + FormatUnsigned(possible);
    }
    case 3: return FormatTime(player.GetLevelTime());
    case 4: return FormatScore(zen != nullptr ? zen->GetScore() : 0);
    case 5: return FormatScore(zen != nullptr ? zen->GetStars() : 0);
    default: return FormatTime(zen != nullptr ? zen->GetTime() : 0.0f);
    }
}

Float Snap(Float y)
{
    return AlignToPixelGrid(y, 0.0f);
}

Bool PlaceBlock(Graph::INamespace* root, UInt32 k, Float y)
{
    char path[64];
    std::snprintf(path, sizeof(path), "/fbo_scrolllist/scrolllists/highscore/block_%u/pos", unsigned(k));
    Graph::INode* node = root->FindNode(String(path));
    auto* transform = dynamic_cast<Graph::ITransform*>(node);
    if (transform != nullptr)
        transform->SetPositionY(Snap(y));
    if (node != nullptr)
        node->RemoveReference();
    if (transform == nullptr) {
        Debug::Trace("App::MenuProcessor::FillLocalHighscores(): No transform at '%s'", path);
        return false;
    }
    return true;
}

} // namespace

Bool FillLocalHighscores(Graph::INamespace* root, const GameState& state, ScoresFontContainer* rows,
                         const Graph::IDisplayText* headlineFont, SInt32* bottom)
{
    rows->ReleaseAll();
    const PlayerData* players[kSlots];
    for (UInt32 s = 0; s < kSlots; ++s) {
        players[s] = state.GetPlayer(s);
        if (players[s] == nullptr) {
            Debug::Trace("App::MenuProcessor::FillLocalHighscores(): Profile slot %u is missing", unsigned(s));
            return false;
        }
    }

    SInt32 form = 0;
    for (const PlayerData* player : players) {
        if (player->IsUsed() && !ScoresFont::CanRender(player->GetName(), headlineFont))
            form = kPlainTextForm;
    }

    Bool complete = true;
    Float y = -240.0f;
    for (UInt32 k = 1; k <= kCategories; ++k) {
        // Best first: the largest value three times; on equal values the lower slot wins.
        UInt32 order[kSlots];
        Bool taken[kSlots] = {false, false, false};
        for (UInt32 i = 0; i < kSlots; ++i) {
            UInt32 best = kSlots;
            for (UInt32 s = 0; s < kSlots; ++s) {
                if (!taken[s] && (best == kSlots || RankValue(*players[s], k) > RankValue(*players[best], k)))
                    best = s;
            }
            taken[best] = true;
            order[i] = best;
        }
        complete = PlaceBlock(root, k, y) && complete;

        SInt32 placed = 0;
        UInt32 others = 0;
        for (UInt32 slot : order) {
            const PlayerData& player = *players[slot];
            if (!player.IsUsed())
                continue;
            ScoresFont* row = rows->Obtain();
            if (row == nullptr)
                continue;
            // The current profile stands out; the others take the first, then the second style.
            const char* style = "highlight";
            if (slot != state.GetCurrentPlayerIndex())
                style = others++ == 0 ? "1" : "2";
            row->SetValue(FormatUnsigned(UInt32(placed + 1)) + ". " + player.GetName(), form, String(style));
            if (row->GetScoreText() != nullptr)
                row->GetScoreText()->SetText(ValueText(player, k));
            row->SetPosition(0.0f, Snap(y - 60.0f - 50.0f * Float(placed)));
            row->UpdateTransform();
            ++placed;
        }
        y -= 120.0f + 50.0f * Float(placed);
    }
    *bottom = SInt32(-200.0f - y);
    return complete;
}

} // namespace App
} // namespace Vorn
