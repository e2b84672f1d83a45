#include "resource/xml_animation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "foundation/enums.h"
#include "resource/native_animation.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kConstant = UInt32(Enums::InterpolationType::CONSTANT);
constexpr UInt32 kLinear = UInt32(Enums::InterpolationType::LINEAR);

// Below this sine of the half angle the quaternion's vector part is taken as the axis unscaled.
constexpr Double kSmallSine = 0.001;

// Time and interpolation, common to every key; absent attributes keep the defaults.
void ParseKeyBase(const IAttributes& attributes, UInt32 defaultInterpolation, Float* time, UInt32* interpolation,
                  Bool* error)
{
    *time = 0.0f;
    *interpolation = defaultInterpolation;
    attributes.GetValue(nullptr, "time", time, error);
    Util::GetEnumValue(attributes, "interpolation", nullptr, error, Enums::GetInterpolationTypeTable(),
                       *interpolation);
}

// Scales the axis to unit length. An axis without a direction means no rotation at all.
void NormalizeAxis(RotationKey* key)
{
    const Double length = std::sqrt(Double(key->x) * key->x + Double(key->y) * key->y + Double(key->z) * key->z);
    if (!(length > 0.0)) {
        key->x = 0.0f;
        key->y = 0.0f;
        key->z = -1.0f;
        key->angle = 0.0f;
        return;
    }
    key->x = Float(key->x / length);
    key->y = Float(key->y / length);
    key->z = Float(key->z / length);
}

// One reader per key kind, in AnimationKeyKind order; each fills a record of its kind.
struct KeyReader
{
    AnimationKeyKind kind;
    Bool (*read)(XmlAnimation::Parser& parser, const IAttributes& attributes, void* record);
};

template <class Key, Bool (XmlAnimation::Parser::*Read)(const IAttributes&, Key*)>
Bool ReadRecord(XmlAnimation::Parser& parser, const IAttributes& attributes, void* record)
{
    return (parser.*Read)(attributes, static_cast<Key*>(record));
}

using Parser = XmlAnimation::Parser;

constexpr KeyReader kKeyReaders[kNumberOfAnimationKeyKinds] = {
    {AnimationKeyKind::VISIBLE, ReadRecord<FlagKey, &Parser::ParseFlagKey>},
    {AnimationKeyKind::ACTIVE, ReadRecord<FlagKey, &Parser::ParseFlagKey>},
    {AnimationKeyKind::INDEX, ReadRecord<IndexKey, &Parser::ParseIndexKey>},
    {AnimationKeyKind::ALPHA, ReadRecord<ScalarKey, &Parser::ParseScalarKey>},
    {AnimationKeyKind::VOLUME, ReadRecord<ScalarKey, &Parser::ParseScalarKey>},
    {AnimationKeyKind::TIME, ReadRecord<ScalarKey, &Parser::ParseScalarKey>},
    {AnimationKeyKind::AMBIENT_COLOR, ReadRecord<ColorKey, &Parser::ParseColorKey>},
    {AnimationKeyKind::DIFFUSE_COLOR, ReadRecord<ColorKey, &Parser::ParseColorKey>},
    {AnimationKeyKind::SPECULAR_COLOR, ReadRecord<ColorKey, &Parser::ParseColorKey>},
    {AnimationKeyKind::EMISSIVE_COLOR, ReadRecord<ColorKey, &Parser::ParseColorKey>},
    {AnimationKeyKind::POSITION, ReadRecord<PositionKey, &Parser::ParsePositionKey>},
    {AnimationKeyKind::SCALING, ReadRecord<ScalingKey, &Parser::ParseScalingKey>},
    {AnimationKeyKind::ROTATION, ReadRecord<RotationKey, &Parser::ParseQuaternionKey>},
};

constexpr Bool ReadersFollowKindOrder()
{
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        if (UInt32(kKeyReaders[i].kind) != i)
            return false;
    }
    return true;
}
static_assert(ReadersFollowKindOrder());

// Large enough for a record of any kind.
union AnyKey
{
    FlagKey flag;
    IndexKey index;
    ScalarKey scalar;
    ColorKey color;
    PositionKey position;
    ScalingKey scaling;
    RotationKey rotation;
};

} // namespace

XmlAnimation::Parser::Parser() : mStartTime(0.0f), mEndTime(0.0f) {}

XmlAnimation::Parser::~Parser() = default;

Bool XmlAnimation::Parser::IsRootElement(const String& name)
{
    return name == "Animation";
}

Bool XmlAnimation::Parser::OnRootElement(const String&, Util::Attributes* attributes)
{
    Bool error = false;
    mStartTime = 0.0f;
    mEndTime = 0.0f;
    attributes->GetValue(nullptr, "startTime", &mStartTime, &error);
    attributes->GetValue(nullptr, "endTime", &mEndTime, &error);
    return !error;
}

Bool XmlAnimation::Parser::OnElement(const String& name, Util::Attributes* attributes)
{
    // Keys stand directly inside the document element and hold nothing themselves.
    if (GetDepth() != 1)
        return false;
    const AnimationKeyKindInfo* kinds = GetAnimationKeyKindInfos();
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        if (name != kinds[i].elementName)
            continue;
        AnyKey record;
        std::memset(&record, 0, sizeof(record));
        if (!kKeyReaders[i].read(*this, *attributes, &record))
            return false;
        Array<UInt8>& keys = mKeys[i];
        const SInt32 end = keys.GetCount();
        keys.SetCount(end + SInt32(kinds[i].recordSize));
        std::memcpy(keys.GetItems() + end, &record, kinds[i].recordSize);
        return true;
    }
    return false;
}

Bool XmlAnimation::Parser::ParseFlagKey(const IAttributes& attributes, FlagKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kConstant, &key->time, &key->interpolation, &error);
    key->value = 0;
    attributes.GetValue(nullptr, "value", &key->value, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParseIndexKey(const IAttributes& attributes, IndexKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    key->value = 0;
    attributes.GetValue(nullptr, "value", &key->value, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParseScalarKey(const IAttributes& attributes, ScalarKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    key->value = 0.0f;
    attributes.GetValue(nullptr, "value", &key->value, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParseColorKey(const IAttributes& attributes, ColorKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    key->value = Color{1.0f, 1.0f, 1.0f, 1.0f};
    attributes.GetValue(nullptr, "color", &key->value, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParsePositionKey(const IAttributes& attributes, PositionKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    key->x = 0.0f;
    key->y = 0.0f;
    key->z = 0.0f;
    attributes.GetValue(nullptr, "posX", &key->x, &error);
    attributes.GetValue(nullptr, "posY", &key->y, &error);
    attributes.GetValue(nullptr, "posZ", &key->z, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParseScalingKey(const IAttributes& attributes, ScalingKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    key->x = 1.0f;
    key->y = 1.0f;
    key->z = 1.0f;
    attributes.GetValue(nullptr, "scaleX", &key->x, &error);
    attributes.GetValue(nullptr, "scaleY", &key->y, &error);
    attributes.GetValue(nullptr, "scaleZ", &key->z, &error);
    return !error;
}

Bool XmlAnimation::Parser::ParseQuaternionKey(const IAttributes& attributes, RotationKey* key)
{
    Bool error = false;
    ParseKeyBase(attributes, kLinear, &key->time, &key->interpolation, &error);
    // An axis given in part has 0 for the missing components; none given is the default axis.
    Float axis[3] = {0.0f, 0.0f, 0.0f};
    Bool hasAxis = false;
    hasAxis |= attributes.GetValue(nullptr, "axisX", &axis[0], &error);
    hasAxis |= attributes.GetValue(nullptr, "axisY", &axis[1], &error);
    hasAxis |= attributes.GetValue(nullptr, "axisZ", &axis[2], &error);
    key->x = hasAxis ? axis[0] : 0.0f;
    key->y = hasAxis ? axis[1] : 0.0f;
    key->z = hasAxis ? axis[2] : -1.0f;
    key->angle = 0.0f;
    const Bool hasAngle = attributes.GetAngleValue(nullptr, "angle", &key->angle, &error);
    const Bool hasAxisAngle = hasAxis || hasAngle;
    Float r = 1.0f;
    Float i = 0.0f;
    Float j = 0.0f;
    Float k = 0.0f;
    Bool hasQuaternion = false;
    hasQuaternion |= attributes.GetValue(nullptr, "quatR", &r, &error);
    hasQuaternion |= attributes.GetValue(nullptr, "quatI", &i, &error);
    hasQuaternion |= attributes.GetValue(nullptr, "quatJ", &j, &error);
    hasQuaternion |= attributes.GetValue(nullptr, "quatK", &k, &error);
    if (error)
        return false;
    if (hasAxisAngle && hasQuaternion) {
        Debug::Trace("Resource::XmlAnimation::Parser::ParseQuaternionKey(): Quaternion key cannot have both "
                     "axis/angle and quaternion parameters");
        return false;
    }
    if (hasQuaternion) {
        Double qr = r;
        Double qi = i;
        Double qj = j;
        Double qk = k;
        // A real part beyond +-1 has no angle: bring the quaternion to unit length, and keep the
        // real part in range against rounding, so that acos never sees it outside [-1, 1].
        if (std::fabs(qr) > 1.0) {
            const Double length = std::sqrt(qr * qr + qi * qi + qj * qj + qk * qk);
            qr /= length;
            qi /= length;
            qj /= length;
            qk /= length;
        }
        qr = std::clamp(qr, -1.0, 1.0);
        const Double s = std::sqrt(1.0 - qr * qr);
        const Double divisor = s >= kSmallSine ? s : 1.0;
        key->angle = Float(2.0 * std::acos(qr));
        key->x = Float(qi / divisor);
        key->y = Float(qj / divisor);
        key->z = Float(qk / divisor);
    }
    NormalizeAxis(key);
    return true;
}

XmlAnimation::XmlAnimation(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                           UInt32 conditionCount)
    : Animation(id, data, size, conditions, conditionCount)
{
}

XmlAnimation::~XmlAnimation() = default;

Bool XmlAnimation::GetNativeData(Data& data) const
{
    return NativeAnimation::Write(*this, data);
}

void XmlAnimation::TakeKeys(Parser& parser)
{
    SetTimeRange(parser.GetStartTime(), parser.GetEndTime());
    const AnimationKeyKindInfo* kinds = GetAnimationKeyKindInfos();
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        mKeyBlocks[i] = std::move(parser.GetKeys(kinds[i].kind));
        SetTrack(kinds[i].kind, UInt32(mKeyBlocks[i].GetCount()) / kinds[i].recordSize, mKeyBlocks[i].GetItems());
    }
}

IObject* XmlAnimation::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                              const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    Parser parser;
    if (!parser.Parse(data, size)) {
        if (parser.HasDocumentError()) {
            Debug::Trace("Resource::XmlAnimation::Create(): Failed, %s", parser.GetErrorString().GetText());
            if (failed != nullptr)
                *failed = true;
        }
        return nullptr;
    }
    // The bytes may be released once the creator returns, so the animation does not point at them.
    XmlAnimation* animation = new XmlAnimation(id, nullptr, 0, conditions, conditionCount);
    animation->TakeKeys(parser);
    return animation;
}

} // namespace Resource
} // namespace Vorn
