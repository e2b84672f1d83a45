// The engine's raw key codes of the DirectInput scan codes: the keys the game may read map to
// their own scan code, the application (menu) key to 0x59, everything else to 0.
#pragma once

#include "foundation/map.h"
#include "foundation/types.h"

namespace Vorn {
namespace Win32 {

class RawKey
{
public:
    RawKey();
    virtual ~RawKey() {}

    // The raw key code of a scan code; 0 for a key outside the table.
    UInt32 GetRawKey(UInt32 scanCode) const;
    UInt32 GetNumberOfKeys() const { return UInt32(mKeys.GetCount()); }

private:
    Map<UInt32, UInt32> mKeys;
};

} // namespace Win32
} // namespace Vorn
