#include "game/play/animal_selector.h"

#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/play_seed.h"

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 FirstMatchable = 5;
constexpr SInt32 FirstColour = 6;

Bool IsCountedKind(SInt32 kind)
{
    return kind >= 0 && kind < AnimalCounter::NumberOfKinds;
}

} // namespace

UInt32 AnimalCounter::Get(SInt32 kind) const
{
    return IsCountedKind(kind) ? mCounts[kind] : 0;
}

UInt32 AnimalCounter::Increment(SInt32 kind)
{
    return IsCountedKind(kind) ? ++mCounts[kind] : 0;
}

void AnimalCounter::Set(SInt32 kind, UInt32 value)
{
    if (IsCountedKind(kind))
        mCounts[kind] = value;
}

void AnimalCounter::Clear()
{
    for (UInt32& count : mCounts)
        count = 0;
}

Bool AnimalCounter::AnyColour() const
{
    for (SInt32 kind = FirstColour; kind < NumberOfKinds; ++kind)
        if (mCounts[kind] != 0)
            return true;
    return false;
}

Bool AnimalCounter::AnyMatchable() const
{
    return mCounts[FirstMatchable] != 0 || AnyColour();
}

SInt32 AnimalCounter::SelectKind(SInt32 first)
{
    if (first >= NumberOfKinds)
        return NumberOfKinds;
    if (first < 0)
        first = 0;
    UInt32 total = 0;
    for (SInt32 kind = first; kind < NumberOfKinds; ++kind)
        total += mCounts[kind];
    if (total == 0)
        return NumberOfKinds;
    UInt32 r = UInt32((UInt64(Draw()) * total) >> 32);
    for (SInt32 kind = first; kind < NumberOfKinds; ++kind) {
        if (mCounts[kind] == 0)
            continue;
        if (r < mCounts[kind])
            return kind;
        r -= mCounts[kind];
    }
    return NumberOfKinds;
}

AnimalSelector::AnimalSelector(AnimalContainer* container) : mContainer(container)
{
    mRandom.Seed(GetPlaySeed());
}

Animal* AnimalSelector::ObtainMatchable()
{
    return ObtainFrom(FirstMatchable);
}

Animal* AnimalSelector::ObtainColour()
{
    return ObtainFrom(FirstColour);
}

Animal* AnimalSelector::ObtainFrom(SInt32 first)
{
    if (!mContainer)
        return nullptr;
    const SInt32 kind = SelectKind(first);
    if (kind >= NumberOfKinds)
        return nullptr;
    Animal* animal = mContainer->Obtain();
    if (!animal)
        return nullptr;
    animal->SetAnimal(kind);
    return animal;
}

} // namespace App
} // namespace Vorn
