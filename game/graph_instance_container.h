// A pool of pre-built graph instances: binds a container node and one object per child instance
// once, then hands the objects out and takes them back by switching each instance's root node on
// and off, so that no graph node is made or destroyed during play.
#pragma once

#include <memory>
#include <vector>

#include "foundation/string.h"
#include "foundation/text.h"
#include "foundation/types.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "logic/graph_node.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace App {

// T derives from GraphPositionObject and is default-constructible.
template <class T>
class GraphInstanceContainer
{
public:
    // An object of the pool with its used mark.
    class Container : public T
    {
    public:
        Bool mIsUsed = false;
    };

    GraphInstanceContainer() : mContainerNode(new Logic::GraphNodeT<Graph::INode>()), mNumUsed(0), mUsedEnd(0) {}
    virtual ~GraphInstanceContainer()
    {
        mEntries.clear();
        delete mContainerNode;
    }

    // Binds the container node at base path + container name and each child instance at base
    // path + instance name + its index. A second Init does nothing; false for a missing node
    // (the entries bound before stay bound).
    virtual Bool Init(Graph::INamespace* nameSpace, const String& basePath, const String& containerName,
                      const String& instanceName)
    {
        if (mContainerNode->IsValid())
            return true;
        if (nameSpace == nullptr)
            return false;
        mNodeObserver.GetNodeObserver()->Add(mContainerNode->GetReference(nameSpace, basePath + containerName));
        if (!mNodeObserver.GetNodeObserver()->AreAllValid())
            return false;
        const UInt32 count = mContainerNode->Get()->GetNumberOfChildren();
        mEntries.clear();
        for (UInt32 i = 0; i < count; ++i)
            mEntries.push_back(std::make_unique<Container>());
        for (UInt32 i = 0; i < count; ++i) {
            char index[64];
            Util::PrintToBuffer(index, sizeof(index), "%u", i);
            if (!mEntries[i]->Init(nameSpace, basePath + instanceName + index, i))
                return false;
        }
        return true;
    }

    // De-initialises every entry and destroys them; true when all let go of their nodes.
    virtual Bool DeInit()
    {
        if (!mContainerNode->IsValid())
            return true;
        Bool released = true;
        for (const std::unique_ptr<Container>& entry : mEntries)
            released = entry->DeInit() && released;
        mEntries.clear();
        // A pool initialised again starts with nothing in use.
        mNumUsed = 0;
        mUsedEnd = 0;
        return mNodeObserver.GetNodeObserver()->RemoveAll() && released;
    }

    virtual void ReleaseAll()
    {
        for (UInt32 i = 0; i < GetCount(); ++i) {
            mEntries[i]->SetActive(false);
            mEntries[i]->mIsUsed = false;
        }
        mNumUsed = 0;
        mUsedEnd = 0;
    }

    // A reset object with its instance switched on; null when every object is in use.
    virtual T* Obtain()
    {
        for (UInt32 i = mNumUsed == mUsedEnd ? mUsedEnd : 0; i < GetCount(); ++i) {
            Container& entry = *mEntries[i];
            if (entry.mIsUsed)
                continue;
            entry.Reset();
            entry.SetActive(true);
            SetEntryUsed(i, true);
            return &entry;
        }
        return nullptr;
    }

    // Switches the object's instance off and frees it; false for an object of another pool.
    virtual Bool Release(T* object)
    {
        for (UInt32 i = 0; i < GetCount(); ++i) {
            if (static_cast<T*>(mEntries[i].get()) == object) {
                mEntries[i]->SetActive(false);
                SetEntryUsed(i, false);
                return true;
            }
        }
        return false;
    }

    void SetEntryUsed(UInt32 index, Bool used)
    {
        if (index >= GetCount() || mEntries[index]->mIsUsed == used)
            return;
        mEntries[index]->mIsUsed = used;
        if (used) {
            ++mNumUsed;
            if (mUsedEnd < index + 1)
                mUsedEnd = index + 1;
            return;
        }
        if (--mNumUsed == 0) {
            mUsedEnd = 0;
            return;
        }
        while (mUsedEnd > 0 && !mEntries[mUsedEnd - 1]->mIsUsed)
            --mUsedEnd;
    }

    UInt32 GetCount() const { return UInt32(mEntries.size()); }
    // Null for an index beyond the pool.
    T* GetEntry(UInt32 index) const { return index < GetCount() ? mEntries[index].get() : nullptr; }
    Bool IsEntryUsed(UInt32 index) const { return index < GetCount() && mEntries[index]->mIsUsed; }
    UInt32 GetNumUsed() const { return mNumUsed; }
    UInt32 GetUsedEnd() const { return mUsedEnd; }

private:
    GraphInstanceContainer(const GraphInstanceContainer&) = delete;
    GraphInstanceContainer& operator=(const GraphInstanceContainer&) = delete;

    Logic::GraphNodeT<Graph::INode>* mContainerNode;
    Logic::BaseNodeObserver mNodeObserver;
    std::vector<std::unique_ptr<Container>> mEntries;
    UInt32 mNumUsed;
    UInt32 mUsedEnd;
};

} // namespace App
} // namespace Vorn
