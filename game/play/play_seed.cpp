#include "game/play/play_seed.h"

#include "foundation/time.h"

namespace Vorn {
namespace App {

namespace {

// Game play runs on the logic thread only.
Bool gSeedFixed = false;
UInt32 gFixedSeed = 0;

} // namespace

UInt32 GetPlaySeed()
{
    if (gSeedFixed)
        return gFixedSeed;
    return UInt32(System::Time::GetCurrent().GetNanoSeconds());
}

void SetPlaySeed(UInt32 seed)
{
    gFixedSeed = seed;
    gSeedFixed = true;
}

void ClearPlaySeed()
{
    gSeedFixed = false;
}

} // namespace App
} // namespace Vorn
