// One scoring event of the chain model, appended to the level's score-event array and turned into
// points by the score processor.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace App {

struct ScoreEvent {
    Float mX = 0.0f;
    Float mY = 0.0f;
    Float mZ = 0.0f;
    Float mFactor = 1.0f;
    UInt32 mType = 0;
    UInt32 mCount = 1;
    UInt32 mValue = 0;
};

} // namespace App
} // namespace Vorn
