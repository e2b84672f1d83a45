// The pool of animals as the chain model and the selector use it: obtain a free animal, give one
// back with a release mode. The pooled graph instances behind it come with the animal pool.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace App {

class Animal;

class AnimalContainer
{
public:
    virtual ~AnimalContainer() {}

    // A free animal reset to its initial state; null when the pool is exhausted.
    virtual Animal* Obtain() { return nullptr; }
    // Gives the animal back; mode 1 releases it quietly. False when it is not one of the pool's.
    virtual Bool ReleaseAnimal(Animal*, SInt32) { return false; }
};

} // namespace App
} // namespace Vorn
