// The one source of seeds for every game-play generator: the clock's nanoseconds, unless a fixed
// seed was set (tests and replays set one so that every draw repeats).
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace App {

UInt32 GetPlaySeed();
// Every later GetPlaySeed returns the seed until ClearPlaySeed.
void SetPlaySeed(UInt32 seed);
void ClearPlaySeed();

} // namespace App
} // namespace Vorn
