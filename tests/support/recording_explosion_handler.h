// An effect dispatcher that records every effect started: its number, its position and values.
#pragma once

#include <vector>

#include "game/play/explosion_handler.h"

namespace Vorn {
namespace Testing {

class RecordingExplosionHandler : public App::ExplosionHandler
{
public:
    struct Effect
    {
        UInt32 mNumber;
        Math::Vector<Float> mPosition;
        Float mFirst;
        Float mSecond;
    };

    void StartEffect(UInt32 number, const Math::Vector<Float>& position, Float first, Float second) override
    {
        mEffects.push_back(Effect{number, position, first, second});
    }

    std::vector<UInt32> Numbers() const
    {
        std::vector<UInt32> numbers;
        for (const Effect& effect : mEffects)
            numbers.push_back(effect.mNumber);
        return numbers;
    }

    std::vector<Effect> mEffects;
};

} // namespace Testing
} // namespace Vorn
