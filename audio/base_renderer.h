// What both audio back-ends share: the registry of object classes by name, and the
// configuration and audio interface they were made with.
#pragma once

#include "audio/renderer.h"
#include "foundation/class_registry.h"
#include "foundation/string.h"

namespace Vorn {

class IAudioInterface;
class IConfiguration;

namespace Audio {

class Renderer : public IRenderer
{
public:
    Renderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    ~Renderer() override;

    Bool Start() override { return true; }
    Bool Stop() override { return true; }
    // False when the name is registered already.
    Bool RegisterObjectClass(const ClassInfo& info) override;
    // False when the name is not registered.
    Bool UnregisterObjectClass(const ClassInfo& info) override;
    IObject* CreateObject(const String& className) override;
    Bool DestroyObject(IObject*& object) override;

    IConfiguration* GetConfiguration() const { return mConfiguration; }
    IAudioInterface* GetAudioInterface() const { return mAudioInterface; }

protected:
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // The three classes of a back-end, registered and unregistered in this order.
    void RegisterClasses(const ClassInfo& buffer, const ClassInfo& listener, const ClassInfo& playable);
    void UnregisterClasses(const ClassInfo& buffer, const ClassInfo& listener, const ClassInfo& playable);

private:
    Util::ClassRegistry<ClassInfo::CreateFunction> mClasses;
    IConfiguration* mConfiguration;
    IAudioInterface* mAudioInterface;
};

} // namespace Audio
} // namespace Vorn
