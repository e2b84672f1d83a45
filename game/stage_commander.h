// How a stage asks the logic root for the next screen: it writes a request word, which the
// logic root takes and clears once no other change of stage runs.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace App {

class StageCommander
{
public:
    // Request words.
    static constexpr UInt32 kNone = 0;
    static constexpr UInt32 kGameToMenu = 1;
    static constexpr UInt32 kGameToMap = 2;
    static constexpr UInt32 kToGame = 3;
    static constexpr UInt32 kGameToEnd = 4;
    static constexpr UInt32 kEndToMap = 5;

    virtual ~StageCommander() {}

    UInt32 GetCommand() const { return mCommand; }
    void SetCommand(UInt32 command) { mCommand = command; }

protected:
    UInt32 mCommand = kNone;
};

} // namespace App
} // namespace Vorn
