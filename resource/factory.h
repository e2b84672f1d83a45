// The resource subsystem's factory: the engine makes the resource collection and the
// screenshot's raw images through it, and destroys them through it again.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IFileInterface;

namespace Resource {

class Collection;
class RawImage;

class Factory
{
public:
    // Neither argument is owned.
    Factory(const IConfiguration* configuration, IFileInterface* fileInterface);
    virtual ~Factory();

    Factory(const Factory&) = delete;
    Factory& operator=(const Factory&) = delete;

    // Not yet initialised: the owner calls Init. Null when it cannot be made.
    Collection* CreateCollection();
    // Deletes the collection and clears the pointer; a null pointer stays null.
    void DestroyCollection(Collection*& collection);
    // An R8_G8_B8_A8 image of that size; null when it cannot be made.
    RawImage* CreateRawImage(UInt32 width, UInt32 height);
    void DestroyRawImage(RawImage*& image);

private:
    const IConfiguration* mConfiguration;
    IFileInterface* mFileInterface;
};

} // namespace Resource
} // namespace Vorn
