// The registry of data packages as the game sees it. Implemented by Core::Loader, which loads
// and unloads the packages on its own thread.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

namespace Logic {
class IProcessor;
}

class IPackage;

class ILoader
{
public:
    // Load modes.
    static constexpr SInt32 kLoadAtStartup = 0;    // loaded before the first frame
    static constexpr SInt32 kLoadInBackground = 1; // loaded at once by the loader thread
    static constexpr SInt32 kLoadOnRequest = 2;    // loaded when asked to

    // Null when the name is taken or the mode is not one of the three. The processor may be null
    // and is not owned.
    virtual IPackage* CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor) = 0;
    // Null when no package has the name.
    virtual IPackage* GetPackage(const String& name) = 0;
    // False when no package has the name; else the package's Load (Unload).
    virtual Bool LoadPackage(const String& name) = 0;
    virtual Bool UnloadPackage(const String& name) = 0;
    virtual ~ILoader() {}
};

} // namespace Vorn
