// The part every display renderer shares: the registry of display object classes by name, the
// output size, and the configuration and display interface it was made with. The back-ends
// derive from it and add the thread hand-off and the frame.
#pragma once

#include "display/renderer.h"
#include "foundation/class_registry.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IDisplayInterface;

namespace Display {

class Renderer : public IRenderer
{
public:
    Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    ~Renderer() override;

    // Stores the size; true.
    Bool Init(UInt32 width, UInt32 height) override;
    Bool DeInit() override;
    // False, changing nothing, when the name is registered already.
    Bool RegisterObjectClass(const ClassInfo& info) override;
    // False when the name is not registered; later classes move down one place.
    Bool UnregisterObjectClass(const ClassInfo& info) override;
    // Null for a name that is not registered or a class without create function.
    IObject* CreateObject(const String& className) override;
    // Deletes the object at once; back-ends with device resources defer it.
    Bool DestroyObject(IObject*& object) override;
    void SetDimensions(UInt32 width, UInt32 height) override;

    UInt32 GetWidth() const { return mWidth; }
    UInt32 GetHeight() const { return mHeight; }
    IConfiguration* GetConfiguration() const { return mConfiguration; }
    IDisplayInterface* GetDisplayInterface() const { return mDisplayInterface; }

protected:
    Util::ClassRegistry<ClassInfo::CreateFunction> mClasses;
    UInt32 mWidth;
    UInt32 mHeight;
    IConfiguration* mConfiguration;
    IDisplayInterface* mDisplayInterface;

private:
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;
};

} // namespace Display
} // namespace Vorn
