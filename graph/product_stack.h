// The lazily multiplied stack behind Graph::TransformStack and Graph::ScaleFactorStack. A push
// only records a pointer to the node's value; accumulated products are formed on the first query
// and cached per level. Entries and levels are pooled: after Clear they are reused, so a pass in
// steady state allocates nothing.
//
// A pushed value must stay unchanged and alive until it is popped.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

// Algebra supplies: static const Value& Identity(); static void Multiply(const Value& a,
// const Value& b, Value& product).
template <typename Value, typename Algebra>
class ProductStack
{
public:
    ProductStack() : mEntriesInUse(0), mLevelsInUse(0) {}

    virtual ~ProductStack()
    {
        for (Entry* entry : mEntries)
            delete entry;
        for (Level* level : mLevels)
            delete level;
    }

    ProductStack(const ProductStack&) = delete;
    ProductStack& operator=(const ProductStack&) = delete;

    void Clear()
    {
        mEntriesInUse = 0;
        mLevelsInUse = 0;
        PushAbsolute(Algebra::Identity());
    }

    // Starts a new product at value.
    void PushAbsolute(const Value& value)
    {
        Entry* entry = TakeEntry();
        entry->full = value;
        entry->relative = Algebra::Identity();
        entry->source = &value;
        entry->reset = true;
        Level* level = TakeLevel();
        level->value = &value;
        level->entry = entry;
    }

    // Multiplies value onto the product below it.
    void PushRelative(const Value& value)
    {
        Level* level = TakeLevel();
        level->value = &value;
        level->entry = nullptr;
    }

    // Entries stay in use until the next Clear, so the level below keeps its cached product.
    // A pop of an empty stack does nothing.
    void Pop()
    {
        if (mLevelsInUse > 0)
            --mLevelsInUse;
    }

    // Product of every level up to the top.
    const Value& GetFull() { return Evaluate()->full; }
    // Product of the levels since the last absolute push.
    const Value& GetRelative() { return Evaluate()->relative; }

    SInt32 GetDepth() const { return mLevelsInUse; }
    // Products formed since the last Clear, plus the absolute pushes.
    SInt32 GetNumberOfEntriesInUse() const { return mEntriesInUse; }

private:
    struct Entry
    {
        Value full;
        Value relative;
        const Value* source;
        Bool reset;
    };

    struct Level
    {
        const Value* value;
        Entry* entry;
    };

    Entry* TakeEntry()
    {
        Entry* entry;
        if (mEntriesInUse < mEntries.GetCount()) {
            entry = mEntries[mEntriesInUse];
        } else {
            entry = new Entry();
            mEntries.Add(entry);
        }
        ++mEntriesInUse;
        entry->reset = false;
        return entry;
    }

    Level* TakeLevel()
    {
        Level* level;
        if (mLevelsInUse < mLevels.GetCount()) {
            level = mLevels[mLevelsInUse];
        } else {
            level = new Level();
            mLevels.Add(level);
        }
        ++mLevelsInUse;
        return level;
    }

    Entry* Evaluate()
    {
        // A stack that was never cleared has nothing to evaluate: its value is the identity.
        if (mLevels.IsEmpty()) {
            Clear();
            mLevelsInUse = 0;
        }
        SInt32 top = mLevelsInUse - 1;
        if (top < 0)
            top = 0;
        if (mLevels[top]->entry)
            return mLevels[top]->entry;

        SInt32 base = top;
        while (base > 0 && !mLevels[base]->entry)
            --base;
        Level* baseLevel = mLevels[base];
        if (!baseLevel->entry) {
            Entry* entry = TakeEntry();
            entry->full = *baseLevel->value;
            entry->relative = *baseLevel->value;
            entry->source = baseLevel->value;
            baseLevel->entry = entry;
        }

        for (SInt32 i = base + 1; i <= top; ++i) {
            const Entry* below = mLevels[i - 1]->entry;
            Level* level = mLevels[i];
            const Value& local = *level->value;
            Entry* entry = TakeEntry();
            if (below->reset)
                Algebra::Multiply(Algebra::Identity(), local, entry->relative);
            else
                Algebra::Multiply(below->relative, local, entry->relative);
            Algebra::Multiply(below->full, local, entry->full);
            entry->source = &local;
            level->entry = entry;
        }
        return mLevels[top]->entry;
    }

    Array<Entry*> mEntries;
    Array<Level*> mLevels;
    SInt32 mEntriesInUse;
    SInt32 mLevelsInUse;
};

} // namespace Graph
} // namespace Vorn
