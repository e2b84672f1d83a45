// The dispatcher of the play field's particle effects, numbered 1 to 39. The effects themselves
// (recipes, particle and explosion pools) belong to the effects code; until they are there a
// start does nothing.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace App {

class ExplosionHandler
{
public:
    // Effect numbers the course and animal code start.
    static constexpr UInt32 EffectCharred = 4;
    static constexpr UInt32 EffectAsh = 10;
    static constexpr UInt32 EffectIce = 11;
    static constexpr UInt32 EffectIceAtShot = 12;
    static constexpr UInt32 EffectHighlight = 13;
    static constexpr UInt32 EffectFinishAnimal = 36;
    static constexpr UInt32 EffectFinishRing = 37;
    static constexpr UInt32 NumberOfEffects = 39;

    virtual ~ExplosionHandler() {}

    // Starts the effect at the position with its two values; numbers outside 1 .. 39 start none.
    virtual void StartEffect(UInt32, const Math::Vector<Float>&, Float, Float) {}
    // The level-end fireworks.
    virtual void StartFinishEffect() {}
};

} // namespace App
} // namespace Vorn
