// Object bookkeeping shared by the fake display and audio renderers: fakes made by class name
// from a table, class names and inits to refuse, the live objects and the counts of those made and
// destroyed, so that graph tests can check what a node made and freed.
#pragma once

#include <initializer_list>
#include <set>
#include <string>

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Testing {

template <class Interface>
class FakeObjectRegistry;

// Base of every fake renderer object: tracks its init state and tells the registry it lives.
// Interface is the back-end's object interface (Display::IObject, Audio::IObject).
template <class Interface>
class FakeRendererObject : public Interface
{
public:
    FakeRendererObject(FakeObjectRegistry<Interface>* registry, const std::string& className)
        : mRegistry(registry), mClassName(className)
    {
        if (mRegistry)
            mRegistry->mLiveObjects.insert(this);
    }
    ~FakeRendererObject() override
    {
        if (mRegistry)
            mRegistry->mLiveObjects.erase(this);
    }
    Bool Init() override
    {
        if (mRegistry && mRegistry->mFailingInits.count(mClassName))
            return false;
        mInitialized = true;
        return true;
    }
    Bool DeInit() override
    {
        mInitialized = false;
        return true;
    }
    const std::string& GetClassName() const { return mClassName; }
    Bool IsInitialized() const { return mInitialized; }

private:
    FakeObjectRegistry<Interface>* mRegistry;
    std::string mClassName;
    Bool mInitialized = false;
};

template <class Interface>
class FakeObjectRegistry
{
public:
    using Object = FakeRendererObject<Interface>;

    // A class the renderer makes: its name and the function that makes one.
    struct FakeClass
    {
        const char* name;
        Object* (*make)(FakeObjectRegistry* registry, const std::string& className);
    };
    template <class Fake>
    static Object* Make(FakeObjectRegistry* registry, const std::string& className)
    {
        return new Fake(registry, className);
    }

    // Class names that MakeObject refuses, and objects whose Init fails.
    std::set<std::string> mRefusedClasses;
    std::set<std::string> mFailingInits;
    // Every object made and not yet destroyed, and the counts of both.
    std::set<Object*> mLiveObjects;
    UInt32 mCreatedCount = 0;
    UInt32 mDestroyedCount = 0;
    // Destroying an object still initialised is a fault of its owner.
    UInt32 mDestroyedInitializedCount = 0;

    virtual ~FakeObjectRegistry()
    {
        // Left-over objects are the owners' leaks; free them so the sanitizer reports only those.
        std::set<Object*> left = mLiveObjects;
        for (Object* object : left)
            delete object;
    }

    // The fake of the class named in the table; null when the name is refused or not there.
    Interface* MakeObject(const String& className, std::initializer_list<FakeClass> classes)
    {
        const std::string name = className.GetText();
        if (mRefusedClasses.count(name))
            return nullptr;
        for (const FakeClass& fakeClass : classes) {
            if (name == fakeClass.name) {
                ++mCreatedCount;
                return fakeClass.make(this, name);
            }
        }
        return nullptr;
    }

    Bool DestroyFake(Interface*& object)
    {
        if (object) {
            Object* fake = static_cast<Object*>(object);
            if (fake->IsInitialized())
                ++mDestroyedInitializedCount;
            ++mDestroyedCount;
            delete fake;
        }
        object = nullptr;
        return true;
    }

    // Objects of a class that are alive now.
    UInt32 CountLive(const std::string& className) const
    {
        UInt32 count = 0;
        for (const Object* object : mLiveObjects)
            if (object->GetClassName() == className)
                ++count;
        return count;
    }
};

} // namespace Testing
} // namespace Vorn
