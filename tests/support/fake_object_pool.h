// The objects a fake back-end (physics simulator, touchable handler) made and has not destroyed,
// of any of its fake classes: tests read which live, and what an owner leaked is freed with the
// back-end so that the sanitizer reports only that leak.
#pragma once

#include <map>
#include <set>

namespace Vorn {
namespace Testing {

class FakeObjectPool
{
public:
    // Every object made and not yet destroyed.
    std::set<void*> mLiveObjects;

    FakeObjectPool() = default;
    FakeObjectPool(const FakeObjectPool&) = delete;
    FakeObjectPool& operator=(const FakeObjectPool&) = delete;
    virtual ~FakeObjectPool()
    {
        for (const auto& [object, destroy] : mDestroyers)
            destroy(object);
    }

protected:
    template <class Fake, class... Arguments>
    Fake* MakeFake(Arguments... arguments)
    {
        Fake* fake = new Fake(arguments...);
        mLiveObjects.insert(fake);
        mDestroyers[fake] = [](void* object) { delete static_cast<Fake*>(object); };
        return fake;
    }

    // Frees an object made by MakeFake<Fake> and clears the caller's pointer.
    template <class Fake, class Interface>
    void DestroyFake(Interface*& object)
    {
        if (object) {
            Fake* fake = static_cast<Fake*>(object);
            mLiveObjects.erase(fake);
            mDestroyers.erase(fake);
            delete fake;
        }
        object = nullptr;
    }

private:
    std::map<void*, void (*)(void*)> mDestroyers;
};

} // namespace Testing
} // namespace Vorn
