// The pool of animals: instances of the "/animal" template under "/animal_container", handed out
// by kind and given back with an optional effect, and stepped once per logic step.
#pragma once

#include "foundation/types.h"
#include "game/graph_instance_container.h"
#include "game/play/animal.h"
#include "logic/stepable.h"

namespace Vorn {
namespace App {

class ExplosionHandler;
class GameState;

class AnimalContainer : public GraphInstanceContainer<Animal>, public Logic::IStepable
{
public:
    AnimalContainer(GameState* gameState, ExplosionHandler* explosionHandler);
    ~AnimalContainer() override;

    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<Animal>::Init;
    // False without an explosion handler or when an instance is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // A free animal of the kind; null when the pool is exhausted.
    Animal* ObtainAnimal(SInt32 kind);
    // Switches the animal off and frees it; effect 1 .. 39 starts at its position. False for an
    // animal of another pool.
    virtual Bool ReleaseAnimal(Animal* animal, SInt32 effect);
    virtual UInt32 GetNumFree() const { return GetCount() - GetNumUsed(); }

    void Reset() override { ReleaseAll(); }
    // Animates every animal in use, decides which are on screen and starts requested ash.
    void Step(Double dt) override;

private:
    GameState* mGameState;
    ExplosionHandler* mExplosionHandler;
    Bool mShadowEnabled;
};

} // namespace App
} // namespace Vorn
