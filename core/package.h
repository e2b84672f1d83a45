// A data package as the game sees it: a name, an optional logic processor, and load and unload
// requests that the loader carries out over several frames. Implemented by Core::Package.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

namespace Logic {
class IProcessor;
}

class IPackage
{
public:
    virtual const String& GetName() const = 0;
    // Null when the package has no logic.
    virtual Logic::IProcessor* GetProcessor() const = 0;
    // Asked again each frame: true once the package is loaded (unloaded); a first call queues the
    // request, a call against a waiting request of the other kind withdraws that request.
    virtual Bool Load() = 0;
    virtual Bool Unload() = 0;
    virtual Bool QueueLoad() = 0;
    virtual Bool QueueUnload() = 0;
    // False when no such request of the package waits.
    virtual Bool CancelLoad() = 0;
    virtual Bool CancelUnload() = 0;
    // A load or unload request waits.
    virtual Bool IsBusy() const = 0;
    virtual Bool IsLoading() const = 0;
    virtual Bool IsUnloading() const = 0;
    virtual Bool IsLoaded() const = 0;
    virtual Bool IsUnloaded() const = 0;
    virtual ~IPackage() {}
};

} // namespace Vorn
