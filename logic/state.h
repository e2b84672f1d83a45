// The logic state: what every processor receives. Through IState processors reach the engine's
// services and the times of the current logic step; through IEngineState the engine keeps the
// registered top-level processors and the lock taken before any processor is touched.
#pragma once

#include "foundation/array.h"
#include "foundation/mutex.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;
class IFileInterface;
class ILoader;

namespace Graph {
class IRoot;
}

namespace Resource {
class ICollection;
}

namespace Logic {

class IDeviceHandler;
class IFactory;
class IProcessor;

class IState
{
public:
    virtual IFactory* GetFactory() const = 0;
    // Logic time of the current step, in seconds.
    virtual Double GetCurrentTickTime() const = 0;
    // Duration of the current step; processors step their stepables by it.
    virtual Double GetCurrentTickDuration() const = 0;
    virtual IConfiguration* GetConfiguration() const = 0;
    virtual IDeviceHandler* GetDeviceHandler() const = 0;
    virtual IFileInterface* GetFileInterface() const = 0;
    // Null until the engine has made the root.
    virtual Graph::IRoot* GetGraphRoot() const = 0;
    virtual ILoader* GetLoader() const = 0;
    virtual Resource::ICollection* GetResourceCollection() const = 0;
    virtual void SetText(const String& text) = 0;
    // Null sets an empty text.
    virtual void SetText(const char* text) = 0;
    virtual String GetText() const = 0;
    virtual ~IState() {}
};

class IEngineState
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    // Re-entrant; always taken before the graph root's lock on the logic thread.
    virtual Bool Lock() = 0;
    virtual Bool Unlock() = 0;
    virtual void SetCurrentTickTime(Double time) = 0;
    virtual void SetCurrentTickDuration(Double duration) = 0;
    // False for null or a processor already registered.
    virtual Bool AddProcessor(IProcessor* processor) = 0;
    // Keeps the order of the rest; false when not registered.
    virtual Bool RemoveProcessor(IProcessor* processor) = 0;
    virtual UInt32 GetNumberOfProcessors() const = 0;
    // Null when index is out of range.
    virtual IProcessor* GetProcessor(UInt32 index) const = 0;
    virtual void SetGraphRoot(Graph::IRoot* root) = 0;
    virtual void SetResourceCollection(Resource::ICollection* collection) = 0;
    virtual IState* GetState() = 0;
    virtual ~IEngineState() {}
};

// Holds the services without owning them, and the registered processors without owning them.
class State : public IState, public IEngineState
{
public:
    State(IDeviceHandler* deviceHandler, IConfiguration* configuration, ILoader* loader, IFileInterface* fileInterface,
          IFactory* factory);
    ~State() override;

    IFactory* GetFactory() const override;
    Double GetCurrentTickTime() const override;
    Double GetCurrentTickDuration() const override;
    IConfiguration* GetConfiguration() const override;
    IDeviceHandler* GetDeviceHandler() const override;
    IFileInterface* GetFileInterface() const override;
    Graph::IRoot* GetGraphRoot() const override;
    ILoader* GetLoader() const override;
    Resource::ICollection* GetResourceCollection() const override;
    void SetText(const String& text) override;
    void SetText(const char* text) override;
    String GetText() const override;

    Bool Init() override;
    Bool DeInit() override;
    Bool Lock() override;
    Bool Unlock() override;
    void SetCurrentTickTime(Double time) override;
    void SetCurrentTickDuration(Double duration) override;
    Bool AddProcessor(IProcessor* processor) override;
    Bool RemoveProcessor(IProcessor* processor) override;
    UInt32 GetNumberOfProcessors() const override;
    IProcessor* GetProcessor(UInt32 index) const override;
    void SetGraphRoot(Graph::IRoot* root) override;
    void SetResourceCollection(Resource::ICollection* collection) override;
    IState* GetState() override;

private:
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    Double mCurrentTickTime;
    Double mCurrentTickDuration;
    String mText;
    Array<IProcessor*> mProcessors;
    Graph::IRoot* mGraphRoot;
    Resource::ICollection* mResourceCollection;
    IDeviceHandler* mDeviceHandler;
    IConfiguration* mConfiguration;
    ILoader* mLoader;
    IFileInterface* mFileInterface;
    IFactory* mFactory;
    System::Mutex mLock;
};

} // namespace Logic
} // namespace Vorn
