// Tallies of animals per kind, and the selector that draws the kind of a new animal in proportion
// to them, so that new animals come in the kinds already in play.
#pragma once

#include "foundation/random.h"
#include "foundation/types.h"

namespace Vorn {
namespace App {

class Animal;
class AnimalContainer;

class AnimalCounter
{
public:
    static constexpr SInt32 NumberOfKinds = 14;

    virtual ~AnimalCounter() {}

    // Kinds outside 0 .. 13 are ignored: they read 0 and count nothing.
    UInt32 Get(SInt32 kind) const;
    UInt32 Increment(SInt32 kind);
    void Set(SInt32 kind, UInt32 value);
    void Clear();
    Bool AnyColour() const;
    Bool AnyMatchable() const;
    // A kind from first .. 13 drawn with weights the tallies; 14 when all are 0.
    SInt32 SelectKind(SInt32 first);

    UInt32 mCounts[NumberOfKinds] = {};

protected:
    // The draw behind SelectKind; a counter alone has no generator and draws 0.
    virtual UInt32 Draw() { return 0; }
};

class AnimalSelector : public AnimalCounter
{
public:
    // The generator is seeded from the play seed.
    explicit AnimalSelector(AnimalContainer* container);

    // An animal of a drawn kind (joker and colours, or colours only); null when no such kind is
    // counted or the pool is exhausted.
    Animal* ObtainMatchable();
    Animal* ObtainColour();

protected:
    UInt32 Draw() override { return mRandom.Rand(); }

private:
    Animal* ObtainFrom(SInt32 first);

    AnimalContainer* mContainer;
    Util::TT800 mRandom;
};

} // namespace App
} // namespace Vorn
