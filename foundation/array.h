// Growable contiguous array, the engine's basic container: attribute lists, name tables,
// packages and scene nodes keep their elements in it. Elements are addressed by position.
#pragma once

#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "foundation/types.h"

namespace Vorn {

template <class T>
class Array
{
public:
    Array() : mItems(nullptr), mCount(0), mCapacity(0) {}
    Array(const Array& other) : Array() { CopyFrom(other); }
    Array(Array&& other) noexcept : mItems(other.mItems), mCount(other.mCount), mCapacity(other.mCapacity)
    {
        other.mItems = nullptr;
        other.mCount = 0;
        other.mCapacity = 0;
    }
    ~Array() { Clear(); }

    // Destroys the own elements, then copies the other's into a block of exactly their number.
    Array& operator=(const Array& other)
    {
        if (this != &other) {
            Clear();
            CopyFrom(other);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept
    {
        if (this != &other) {
            Clear();
            std::swap(mItems, other.mItems);
            std::swap(mCount, other.mCount);
            std::swap(mCapacity, other.mCapacity);
        }
        return *this;
    }

    SInt32 GetCount() const { return mCount; }
    SInt32 GetCapacity() const { return mCapacity; }
    Bool IsEmpty() const { return mCount == 0; }
    T* GetItems() { return mItems; }
    const T* GetItems() const { return mItems; }
    T& operator[](SInt32 position) { return mItems[position]; }
    const T& operator[](SInt32 position) const { return mItems[position]; }
    T& GetLast() { return mItems[mCount - 1]; }
    const T& GetLast() const { return mItems[mCount - 1]; }
    T* begin() { return mItems; }
    T* end() { return mItems + mCount; }
    const T* begin() const { return mItems; }
    const T* end() const { return mItems + mCount; }

    // Appends a copy; the element may belong to this array (it is copied before the old
    // elements move).
    void Add(const T& element)
    {
        if (mCount == mCapacity) {
            const SInt32 capacity = GrownCapacity();
            T* items = Allocate(capacity);
            new (items + mCount) T(element);
            MoveItems(items, mItems, mCount);
            Free(mItems);
            mItems = items;
            mCapacity = capacity;
        } else {
            new (mItems + mCount) T(element);
        }
        ++mCount;
    }
    void Add(T&& element)
    {
        if (mCount == mCapacity) {
            const SInt32 capacity = GrownCapacity();
            T* items = Allocate(capacity);
            new (items + mCount) T(std::move(element));
            MoveItems(items, mItems, mCount);
            Free(mItems);
            mItems = items;
            mCapacity = capacity;
        } else {
            new (mItems + mCount) T(std::move(element));
        }
        ++mCount;
    }

    // Sets the number of elements; grows to capacity + max(capacity, n - count) when n exceeds
    // the capacity. New elements of plain types are left uninitialised, others default-constructed;
    // elements beyond n are destroyed.
    void SetCount(SInt32 count)
    {
        if (count < 0)
            count = 0;
        if (count > mCapacity) {
            const SInt32 extra = count - mCount > mCapacity ? count - mCount : mCapacity;
            SetCapacity(mCapacity + extra);
        }
        if constexpr (!std::is_trivially_default_constructible_v<T>) {
            for (SInt32 i = mCount; i < count; ++i)
                new (mItems + i) T();
        }
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (SInt32 i = count; i < mCount; ++i)
                mItems[i].~T();
        }
        mCount = count;
    }

    // Moves the elements into a block of the given capacity (none for 0); elements that do not
    // fit are destroyed.
    void SetCapacity(SInt32 capacity)
    {
        if (capacity < 0)
            capacity = 0;
        if (capacity < mCount) {
            DestroyItems(capacity, mCount);
            mCount = capacity;
        }
        T* items = nullptr;
        if (capacity > 0) {
            items = Allocate(capacity);
            MoveItems(items, mItems, mCount);
        }
        Free(mItems);
        mItems = items;
        mCapacity = capacity;
    }

    // Destroys element i and moves the later elements down by one; the capacity stays.
    void RemoveAt(SInt32 position)
    {
        mItems[position].~T();
        MoveItems(mItems + position, mItems + position + 1, mCount - position - 1);
        --mCount;
    }

    // Makes room for one element at position (0 to count) and returns the unwritten slot; for
    // plain element types, which the caller then stores there.
    T* InsertAt(SInt32 position)
    {
        static_assert(std::is_trivially_copyable_v<T>, "use InsertAt(position, element)");
        return OpenSlot(position);
    }
    // Inserts a copy of the element at position (0 to count).
    void InsertAt(SInt32 position, const T& element)
    {
        T copy(element);
        new (OpenSlot(position)) T(std::move(copy));
    }

    // Position of the first element equal to the given one, -1 when none.
    SInt32 Find(const T& element) const
    {
        for (SInt32 i = 0; i < mCount; ++i) {
            if (mItems[i] == element)
                return i;
        }
        return -1;
    }

    // Destroys every element and frees the block.
    void Clear()
    {
        DestroyItems(0, mCount);
        Free(mItems);
        mItems = nullptr;
        mCount = 0;
        mCapacity = 0;
    }

private:
    static constexpr Bool kOverAligned = alignof(T) > __STDCPP_DEFAULT_NEW_ALIGNMENT__;

    // 1, 2, 3, 4, 6, 9, 13, 19, 28, 42, 63, ...
    SInt32 GrownCapacity() const
    {
        const SInt64 grown = SInt64(mCapacity) + (mCapacity / 2 > 1 ? mCapacity / 2 : 1);
        return grown > 0x7FFFFFFF ? SInt32(0x7FFFFFFF) : SInt32(grown);
    }

    static T* Allocate(SInt32 capacity)
    {
        if constexpr (kOverAligned)
            return static_cast<T*>(::operator new(sizeof(T) * size_t(capacity), std::align_val_t(alignof(T))));
        else
            return static_cast<T*>(::operator new(sizeof(T) * size_t(capacity)));
    }
    static void Free(T* items)
    {
        if (items == nullptr)
            return;
        if constexpr (kOverAligned)
            ::operator delete(static_cast<void*>(items), std::align_val_t(alignof(T)));
        else
            ::operator delete(static_cast<void*>(items));
    }

    // Moves count live elements from source to target (ranges may overlap with target below
    // source); the source slots are left dead.
    static void MoveItems(T* target, T* source, SInt32 count)
    {
        if (count <= 0 || target == source)
            return;
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::memmove(static_cast<void*>(target), static_cast<const void*>(source), sizeof(T) * size_t(count));
        } else {
            for (SInt32 i = 0; i < count; ++i) {
                new (target + i) T(std::move(source[i]));
                source[i].~T();
            }
        }
    }
    // Same, for a target above an overlapping source.
    static void MoveItemsUp(T* target, T* source, SInt32 count)
    {
        if (count <= 0)
            return;
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::memmove(static_cast<void*>(target), static_cast<const void*>(source), sizeof(T) * size_t(count));
        } else {
            for (SInt32 i = count - 1; i >= 0; --i) {
                new (target + i) T(std::move(source[i]));
                source[i].~T();
            }
        }
    }

    void DestroyItems(SInt32 from, SInt32 to)
    {
        if constexpr (!std::is_trivially_destructible_v<T>) {
            for (SInt32 i = from; i < to; ++i)
                mItems[i].~T();
        }
    }

    void CopyFrom(const Array& other)
    {
        if (other.mCount == 0)
            return;
        mItems = Allocate(other.mCount);
        mCapacity = other.mCount;
        for (SInt32 i = 0; i < other.mCount; ++i)
            new (mItems + i) T(other.mItems[i]);
        mCount = other.mCount;
    }

    // Grows 0, 1, 2, 4, 8, 16, ... when full; leaves a dead slot at position.
    T* OpenSlot(SInt32 position)
    {
        if (mCount + 1 <= mCapacity) {
            MoveItemsUp(mItems + position + 1, mItems + position, mCount - position);
        } else {
            const SInt32 capacity = mCapacity < 2 ? mCapacity + 1 : mCapacity * 2;
            T* items = Allocate(capacity);
            if (mItems != nullptr) {
                MoveItems(items, mItems, position);
                MoveItems(items + position + 1, mItems + position, mCount - position);
                Free(mItems);
            }
            mItems = items;
            mCapacity = capacity;
        }
        ++mCount;
        return mItems + position;
    }

    T* mItems;
    SInt32 mCount;
    SInt32 mCapacity;
};

} // namespace Vorn
