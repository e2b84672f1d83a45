// The local high-score list of the main menu: the (up to three) profiles on this computer
// compared in six categories, one block of rows per category, best first.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Graph {
class IDisplayText;
class INamespace;
} // namespace Graph

namespace App {

class GameState;
class ScoresFontContainer;

// Releases every row of the pool, then places the six blocks under
// "/fbo_scrolllist/scrolllists/highscore" and gives each used profile one row per block. Names
// that the headline font cannot draw switch every row to the plain-text form. Sets *bottom to
// the list's lower scroll limit. False, with one log line, when the game state lacks a profile
// slot or a block's transform is missing; the other blocks are still filled.
Bool FillLocalHighscores(Graph::INamespace* root, const GameState& state, ScoresFontContainer* rows,
                         const Graph::IDisplayText* headlineFont, SInt32* bottom);

} // namespace App
} // namespace Vorn
