// The animation read from an XML "Animation" document: one element per key, in document order.
// It owns its key records and writes the native "ANIM" form on request.
#pragma once

#include "foundation/array.h"
#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/xml_parser.h"
#include "resource/animation.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class XmlAnimation : public Animation
{
public:
    // Reads an "Animation" document into key records. A key element that is not one of the 13
    // kinds, an element nested inside a key, or an attribute that does not convert fails the
    // document.
    class Parser : public Util::XmlParser
    {
    public:
        Parser();
        ~Parser() override;

        Bool IsRootElement(const String& name) override;
        Bool OnRootElement(const String& name, Util::Attributes* attributes) override;
        Bool OnElement(const String& name, Util::Attributes* attributes) override;

        Float GetStartTime() const { return mStartTime; }
        Float GetEndTime() const { return mEndTime; }
        // The packed records of one kind in document order; the caller may take them over.
        Array<UInt8>& GetKeys(AnimationKeyKind kind) { return mKeys[UInt32(kind)]; }

        // The readers of one key element each; false when an attribute does not convert.
        Bool ParseFlagKey(const IAttributes& attributes, FlagKey* key);
        Bool ParseIndexKey(const IAttributes& attributes, IndexKey* key);
        Bool ParseScalarKey(const IAttributes& attributes, ScalarKey* key);
        Bool ParseColorKey(const IAttributes& attributes, ColorKey* key);
        Bool ParsePositionKey(const IAttributes& attributes, PositionKey* key);
        Bool ParseScalingKey(const IAttributes& attributes, ScalingKey* key);
        // Axis and angle, or a quaternion turned into them; false, with a log line, when both
        // forms are given.
        Bool ParseQuaternionKey(const IAttributes& attributes, RotationKey* key);

    private:
        Float mStartTime;
        Float mEndTime;
        Array<UInt8> mKeys[kNumberOfAnimationKeyKinds];
    };

    // Object creator. Declines (null, failed untouched) bytes that are not an XML document with
    // an "Animation" root element; refuses, with one log line and failed set, such a document that
    // does not read. Converts everything, so releaseData stays true.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // The animation keeps nothing of the document it was read from, so data may be null.
    XmlAnimation(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~XmlAnimation() override;

    // The native form written from the key tables.
    Bool GetNativeData(Data& data) const override;

private:
    // Takes over the parser's time range and key records.
    void TakeKeys(Parser& parser);

    Array<UInt8> mKeyBlocks[kNumberOfAnimationKeyKinds];
};

} // namespace Resource
} // namespace Vorn
