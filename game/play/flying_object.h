// A flying animal as the chain model sees it while it is inserted: the animal it carries, the two
// chain animals it goes between, and its finished flag (it is tested against the chain no more).
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace App {

class Animal;

class FlyingObject
{
public:
    virtual ~FlyingObject() {}

    Animal* mAnimal = nullptr;
    Animal* mNeighbours[2] = {nullptr, nullptr};
    Bool mStopped = false;
    Bool mFinished = false;
};

} // namespace App
} // namespace Vorn
