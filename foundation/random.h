// Small seedable generators of 32-bit numbers. Game objects that need chance each own one,
// seeded from the clock; the base class maps one draw onto a range. Not shared between threads.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Util {

class Rng {
public:
    virtual ~Rng() {}

    // Restarts the sequence from the seed.
    virtual void Seed(UInt32 seed) = 0;
    virtual UInt32 Rand() = 0;

    // Each helper makes exactly one Rand call; bounds may come in either order and are included.
    // A float between a and b: a + float((b - a) * r / 4294967295), with r the draw.
    Float RandReal(Float a, Float b);
    // The draw's top bit.
    Bool RandBool();
    // a + the high 32 bits of the draw times the range size (no modulo bias, every value reached).
    UInt32 RandUInt(UInt32 a, UInt32 b);
};

// One-word linear congruential generator: state = state * 69069 + 1.
class Marsaglia : public Rng {
public:
    // Seeded with the nanosecond part of the current system time.
    Marsaglia();
    explicit Marsaglia(UInt32 seed) : mState(seed) {}

    void Seed(UInt32 seed) override;
    UInt32 Rand() override;

private:
    UInt32 mState;
};

// The TT800 twisted generalised feedback shift register (with the final tempering shift),
// one word per draw.
class TT800 : public Rng {
public:
    static constexpr UInt32 NumberOfWords = 25;

    // Seeded with the nanosecond part of the current system time.
    TT800();

    void Seed(UInt32 seed) override;
    UInt32 Rand() override;

private:
    UInt32 mIndex; // the next word to replace
    UInt32 mWords[NumberOfWords];
};

} // namespace Util
} // namespace Vorn
