// An animal pool over a fixed number of unbound animals: obtains the first free one, records
// every release with its mode.
#pragma once

#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "tests/support/chain_text.h"

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace Vorn {
namespace Testing {

class FakeAnimalContainer : public App::AnimalContainer
{
public:
    explicit FakeAnimalContainer(size_t size) : App::AnimalContainer(nullptr, nullptr), mInUse(size, false)
    {
        for (size_t i = 0; i < size; ++i)
            mAnimals.push_back(std::make_unique<App::Animal>());
    }

    App::Animal* Obtain() override
    {
        ++mObtainCalls;
        for (size_t i = 0; i < mAnimals.size(); ++i) {
            if (!mInUse[i]) {
                mInUse[i] = true;
                mAnimals[i]->Reset();
                return mAnimals[i].get();
            }
        }
        return nullptr;
    }

    Bool ReleaseAnimal(App::Animal* animal, SInt32 mode) override
    {
        for (size_t i = 0; i < mAnimals.size(); ++i) {
            if (mAnimals[i].get() == animal && mInUse[i]) {
                mInUse[i] = false;
                mReleases.push_back(std::make_pair(animal, mode));
                return true;
            }
        }
        return false;
    }

    UInt32 GetNumFree() const override
    {
        UInt32 free = 0;
        for (bool used : mInUse)
            free += used ? 0 : 1;
        return free;
    }

    // Obtains an animal of the kind, or null when the pool is exhausted.
    App::Animal* ObtainKind(SInt32 kind)
    {
        App::Animal* animal = Obtain();
        if (animal)
            animal->SetAnimal(kind);
        return animal;
    }

    // An animal written as a chain token (kind letter and flags, see chain_text.h).
    App::Animal* ObtainToken(const std::string& token)
    {
        App::Animal* animal = ObtainKind(KindOf(token[0]));
        if (animal)
            ApplyChainFlags(*animal, token);
        return animal;
    }

    // Fills the segment with the chain's animals and lays it out from the path position.
    void FillSegment(App::CourseSegment& segment, const std::string& text, Double pathPosition)
    {
        std::istringstream tokens(text);
        std::string token;
        while (tokens >> token)
            segment.AppendAnimal(ObtainToken(token));
        segment.PlaceFirstAnimal(pathPosition);
        segment.Relayout();
    }

    std::vector<std::unique_ptr<App::Animal>> mAnimals;
    std::vector<bool> mInUse;
    std::vector<std::pair<App::Animal*, SInt32>> mReleases;
    int mObtainCalls = 0;
};

} // namespace Testing
} // namespace Vorn
