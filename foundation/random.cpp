#include "foundation/random.h"

#include "foundation/time.h"

namespace Vorn {
namespace Util {
namespace {

UInt32 GetClockSeed()
{
    return UInt32(System::Time::GetCurrent().GetNanoSeconds());
}

UInt32 NextCongruential(UInt32 state)
{
    return state * 69069u + 1u;
}

} // namespace

Float Rng::RandReal(Float a, Float b)
{
    if (a > b) {
        const Float swapped = a;
        a = b;
        b = swapped;
    }
    const Double draw = Double(Rand());
    const Float offset = Float((Double(b) - Double(a)) * draw / 4294967295.0);
    return a + offset;
}

Bool Rng::RandBool()
{
    return ((UInt64(Rand()) * 2) >> 32) != 0;
}

UInt32 Rng::RandUInt(UInt32 a, UInt32 b)
{
    if (a > b) {
        const UInt32 swapped = a;
        a = b;
        b = swapped;
    }
    const UInt64 rangeSize = UInt64(b) - UInt64(a) + 1;
    return a + UInt32((UInt64(Rand()) * rangeSize) >> 32);
}

Marsaglia::Marsaglia() : mState(GetClockSeed()) {}

void Marsaglia::Seed(UInt32 seed)
{
    mState = seed;
}

UInt32 Marsaglia::Rand()
{
    mState = NextCongruential(mState);
    return mState;
}

TT800::TT800()
{
    Seed(GetClockSeed());
}

void TT800::Seed(UInt32 seed)
{
    mIndex = 0;
    for (UInt32 i = 0; i < NumberOfWords; ++i) {
        seed = NextCongruential(seed);
        mWords[i] = seed;
    }
}

UInt32 TT800::Rand()
{
    const UInt32 k = mIndex;
    UInt32 j = k + 7;
    if (j >= NumberOfWords)
        j -= NumberOfWords;

    const UInt32 y = mWords[k];
    UInt32 v = (y >> 1) ^ mWords[j];
    if (y & 1)
        v ^= 0x8ebfd028;
    mWords[k] = v;
    mIndex = (mIndex + 1 == NumberOfWords) ? 0 : mIndex + 1;

    v ^= (v << 7) & 0x2b5b2500;
    v ^= (v << 15) & 0xdb8b0000;
    v ^= v >> 16;
    return v;
}

} // namespace Util
} // namespace Vorn
