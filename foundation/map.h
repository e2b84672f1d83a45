// Ordered hash index and map: Index<K> keeps keys in insertion order and answers at which
// position a key stands; Map<K,V> keeps a value at the position of each key. Name tables,
// attribute lists, registries and packages rest on them. Bucket choice and chain order are
// fixed, and String keys hash with String::GetHash, the hash that files store.
#pragma once

#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

// How an index hashes and compares its keys. Integers and enumerations of up to 4 bytes hash
// to their own value, pointers to their address, String keys to their text hash, and other
// plain keys (pairs of 32-bit words) to Util::GetHash over their bytes. Specialise for other key types.
template <class K, class Enable = void>
struct IndexKeyTraits
{
    static_assert(std::is_trivially_copyable_v<K> && std::has_unique_object_representations_v<K>,
                  "key type needs an IndexKeyTraits specialisation");
    static UInt32 Hash(const K& key) { return Util::GetHash(&key, UInt32(sizeof(K))); }
    static Bool Equal(const K& a, const K& b) { return std::memcmp(&a, &b, sizeof(K)) == 0; }
};

template <class K>
struct IndexKeyTraits<K, std::enable_if_t<(std::is_integral_v<K> || std::is_enum_v<K>) && sizeof(K) <= 4>>
{
    static UInt32 Hash(const K& key) { return UInt32(key); }
    static Bool Equal(const K& a, const K& b) { return a == b; }
};

template <class K>
struct IndexKeyTraits<K, std::enable_if_t<std::is_pointer_v<K>>>
{
    static UInt32 Hash(const K& key)
    {
        const UInt64 address = UInt64(reinterpret_cast<std::uintptr_t>(key));
        return UInt32(address) ^ UInt32(address >> 32);
    }
    static Bool Equal(const K& a, const K& b) { return a == b; }
};

template <>
struct IndexKeyTraits<String>
{
    static UInt32 Hash(const String& key) { return key.GetHash(); }
    static Bool Equal(const String& a, const String& b) { return a == b; }
};

template <class K>
class Index
{
public:
    Index() : mBuckets(nullptr), mBucketCount(0) {}
    Index(const Index& other) : Index() { CopyFrom(other); }
    Index(Index&& other) noexcept
        : mKeys(std::move(other.mKeys)), mHashes(std::move(other.mHashes)), mLinks(std::move(other.mLinks)),
          mBuckets(other.mBuckets), mBucketCount(other.mBucketCount)
    {
        other.mBuckets = nullptr;
        other.mBucketCount = 0;
    }
    ~Index() { FreeBuckets(); }

    Index& operator=(const Index& other)
    {
        if (this != &other) {
            Clear();
            CopyFrom(other);
        }
        return *this;
    }
    Index& operator=(Index&& other) noexcept
    {
        if (this != &other) {
            Clear();
            mKeys = std::move(other.mKeys);
            mHashes = std::move(other.mHashes);
            mLinks = std::move(other.mLinks);
            std::swap(mBuckets, other.mBuckets);
            std::swap(mBucketCount, other.mBucketCount);
        }
        return *this;
    }

    SInt32 GetCount() const { return mKeys.GetCount(); }
    Bool IsEmpty() const { return mKeys.GetCount() == 0; }
    const K& GetKey(SInt32 position) const { return mKeys[position]; }
    const K& operator[](SInt32 position) const { return mKeys[position]; }
    const Array<K>& GetKeys() const { return mKeys; }
    // Hash of key i as the index keeps it (bit 31 cleared).
    UInt32 GetHash(SInt32 position) const { return mHashes[position]; }

    // Appends the key (equal keys may repeat) and returns its position, count - 1.
    SInt32 Add(const K& key)
    {
        const UInt32 hash = IndexKeyTraits<K>::Hash(key) & kHashMask;
        mKeys.Add(key);
        mHashes.Add(hash);
        if (UInt32(mHashes.GetCount()) >= mBucketCount)
            Rehash(mHashes.GetCount());
        else
            Relink();
        return mHashes.GetCount() - 1;
    }

    // Position of the earliest-added equal key; -1 when absent.
    SInt32 Find(const K& key) const
    {
        if (mBucketCount == 0)
            return -1;
        return FindWithHash(key, IndexKeyTraits<K>::Hash(key));
    }
    // Same, with the key's hash already known (as kept by an attribute list).
    SInt32 Find(const K& key, UInt32 hash) const
    {
        if (mBucketCount == 0)
            return -1;
        return FindWithHash(key, hash);
    }
    // The walk of Find begun at entry start (tested first); -1 when it returns to the head
    // of the chain or start is -1.
    SInt32 FindNext(SInt32 start, const K& key) const
    {
        if (start < 0 || start >= mHashes.GetCount())
            return -1;
        return Walk(start, mBuckets[GetBucket(mHashes[start])], key);
    }
    // The next equal key after position along its chain (later-added equal keys); -1 when none.
    SInt32 FindAfter(SInt32 position, const K& key) const
    {
        if (position < 0 || position >= mHashes.GetCount())
            return -1;
        const SInt32 head = mBuckets[GetBucket(mHashes[position])];
        const SInt32 next = mLinks[position].next;
        if (next == head)
            return -1;
        return Walk(next, head, key);
    }

    // Removes key i; later keys move down by one position and the table is rebuilt.
    void RemoveAt(SInt32 position)
    {
        mKeys.RemoveAt(position);
        mHashes.RemoveAt(position);
        mLinks.Clear();
        FreeBuckets();
        Rehash(mHashes.GetCount());
    }

    // Destroys the keys and frees every block.
    void Clear()
    {
        mKeys.Clear();
        mHashes.Clear();
        mLinks.Clear();
        FreeBuckets();
    }

private:
    static constexpr UInt32 kHashMask = 0x7FFFFFFF;

    struct Link
    {
        SInt32 next;
        SInt32 previous;
    };

    UInt32 GetBucket(UInt32 hash) const
    {
        return ((hash >> 23) - (hash >> 15) - (hash >> 7) - hash) & (mBucketCount - 1);
    }

    SInt32 FindWithHash(const K& key, UInt32 hash) const
    {
        hash &= kHashMask;
        const SInt32 head = mBuckets[GetBucket(hash)];
        if (head < 0)
            return -1;
        // Equal keys have equal hashes, so a hash mismatch skips the key comparison.
        SInt32 i = head;
        do {
            if (mHashes[i] == hash && IndexKeyTraits<K>::Equal(mKeys[i], key))
                return i;
            i = mLinks[i].next;
        } while (i != head);
        return -1;
    }

    SInt32 Walk(SInt32 i, SInt32 head, const K& key) const
    {
        for (;;) {
            if (IndexKeyTraits<K>::Equal(mKeys[i], key))
                return i;
            i = mLinks[i].next;
            if (i == head)
                return -1;
        }
    }

    void FreeBuckets()
    {
        if (mBuckets != nullptr)
            ::operator delete(static_cast<void*>(mBuckets));
        mBuckets = nullptr;
        mBucketCount = 0;
    }

    // Rebuilds the bucket table for n entries: the smallest power of two not below n, at least 1.
    void Rehash(SInt32 count)
    {
        mLinks.Clear();
        FreeBuckets();
        UInt32 buckets = 1;
        while (buckets < UInt32(count) && buckets < 0x80000000u)
            buckets <<= 1;
        mBuckets = static_cast<SInt32*>(::operator new(sizeof(SInt32) * size_t(buckets)));
        for (UInt32 i = 0; i < buckets; ++i)
            mBuckets[i] = -1;
        mBucketCount = buckets;
        Relink();
    }

    // Links the entries added since the last link at the tail of their bucket's chain.
    void Relink()
    {
        if (mHashes.GetCapacity() > mLinks.GetCapacity())
            mLinks.SetCapacity(mHashes.GetCapacity());
        const SInt32 first = mLinks.GetCount();
        mLinks.SetCount(mHashes.GetCount());
        for (SInt32 i = first; i < mHashes.GetCount(); ++i) {
            SInt32& head = mBuckets[GetBucket(mHashes[i])];
            if (head < 0) {
                mLinks[i].next = i;
                mLinks[i].previous = i;
                head = i;
            } else {
                const SInt32 tail = mLinks[head].previous;
                mLinks[i].next = head;
                mLinks[i].previous = tail;
                mLinks[head].previous = i;
                mLinks[tail].next = i;
            }
        }
    }

    void CopyFrom(const Index& other)
    {
        mKeys = other.mKeys;
        mHashes = other.mHashes;
        if (mHashes.GetCount() > 0 || other.mBucketCount > 0)
            Rehash(mHashes.GetCount());
    }

    Array<K> mKeys;
    Array<UInt32> mHashes;
    Array<Link> mLinks;
    SInt32* mBuckets;
    UInt32 mBucketCount;
};

template <class K, class V>
class Map
{
public:
    SInt32 GetCount() const { return mIndex.GetCount(); }
    Bool IsEmpty() const { return mIndex.IsEmpty(); }
    const K& GetKey(SInt32 position) const { return mIndex.GetKey(position); }
    UInt32 GetHash(SInt32 position) const { return mIndex.GetHash(position); }
    V& GetValue(SInt32 position) { return mValues[position]; }
    const V& GetValue(SInt32 position) const { return mValues[position]; }
    const Index<K>& GetIndex() const { return mIndex; }
    const Array<V>& GetValues() const { return mValues; }
    Array<V>& GetValues() { return mValues; }

    // Position of the earliest-added equal key; -1 when absent.
    SInt32 Find(const K& key) const { return mIndex.Find(key); }
    SInt32 Find(const K& key, UInt32 hash) const { return mIndex.Find(key, hash); }
    SInt32 FindNext(SInt32 start, const K& key) const { return mIndex.FindNext(start, key); }
    SInt32 FindAfter(SInt32 position, const K& key) const { return mIndex.FindAfter(position, key); }
    // Value of the earliest-added equal key; null when absent.
    V* FindValue(const K& key)
    {
        const SInt32 position = mIndex.Find(key);
        return position < 0 ? nullptr : &mValues[position];
    }
    const V* FindValue(const K& key) const
    {
        const SInt32 position = mIndex.Find(key);
        return position < 0 ? nullptr : &mValues[position];
    }

    // Appends the key and the value at one new position and returns it.
    SInt32 Add(const K& key, const V& value)
    {
        const SInt32 position = mIndex.Add(key);
        mValues.Add(value);
        return position;
    }
    // Value of the earliest equal key; when absent, adds the key with the default value.
    V& FindOrAdd(const K& key, const V& defaultValue)
    {
        const SInt32 position = mIndex.Find(key);
        if (position >= 0)
            return mValues[position];
        mIndex.Add(key);
        mValues.Add(defaultValue);
        return mValues.GetLast();
    }
    // Removes key and value i; later entries move down by one position.
    void RemoveAt(SInt32 position)
    {
        mIndex.RemoveAt(position);
        mValues.RemoveAt(position);
    }
    void Clear()
    {
        mIndex.Clear();
        mValues.Clear();
    }

private:
    Index<K> mIndex;
    Array<V> mValues;
};

} // namespace Vorn
