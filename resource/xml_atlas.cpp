#include "resource/xml_atlas.h"

#include <utility>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "resource/native_atlas.h"

namespace Vorn {
namespace Resource {

namespace {

// How one axis of a rectangle is given: by its two edges (first, second), by one edge and the
// extent (size), or by the centre (offset) and the extent.
struct AxisRule
{
    const char* first;
    const char* second;
    const char* size;
    const char* offset;
    Float AtlasRectangle::*low;
    Float AtlasRectangle::*high;
    // +1 when the second edge lies at first + size, -1 when the axis grows the other way (scene Y).
    Float direction;
    // Texture axes need both extent and centre when no edge is given; scene axes default to an
    // extent of 1 around 0.
    Bool needsCentre;
};

constexpr AxisRule kAxisRules[] = {
    {"texCoordU1", "texCoordU2", "texCoordWidth", "texCoordOffsetU", &AtlasRectangle::texCoordU1,
     &AtlasRectangle::texCoordU2, 1.0f, true},
    {"texCoordV1", "texCoordV2", "texCoordHeight", "texCoordOffsetV", &AtlasRectangle::texCoordV1,
     &AtlasRectangle::texCoordV2, 1.0f, true},
    {"coordX1", "coordX2", "coordWidth", "coordOffsetX", &AtlasRectangle::coordX1, &AtlasRectangle::coordX2, 1.0f,
     false},
    {"coordY1", "coordY2", "coordHeight", "coordOffsetY", &AtlasRectangle::coordY1, &AtlasRectangle::coordY2, -1.0f,
     false},
};

constexpr Float kDefaultSize = 1.0f;
constexpr Float kDefaultOffset = 0.0f;

struct AxisValue
{
    Bool present;
    Float value;
};

// The four attributes of one axis, in rule order; absent ones keep present false.
struct AxisValues
{
    AxisValue first;
    AxisValue second;
    AxisValue size;
    AxisValue offset;
};

#define PARSE_RECTANGLE_FAILURE(format, ...) \
    Debug::Trace("Resource::XmlAtlas::Parser::ParseRectangle(): " format, __VA_ARGS__)

// Fills the two edges of one axis; false, with one log line, when the attributes break the rule.
Bool ResolveAxis(const AxisRule& rule, const AxisValues& values, AtlasRectangle* rectangle)
{
    Float& low = rectangle->*rule.low;
    Float& high = rectangle->*rule.high;
    if (values.first.present) {
        if (values.second.present && values.size.present) {
            PARSE_RECTANGLE_FAILURE("Cannot specify both %s and %s for a rectangle with %s", rule.second, rule.size,
                                    rule.first);
            return false;
        }
        if (!values.second.present && !values.size.present) {
            PARSE_RECTANGLE_FAILURE("Must either specify %s or %s for a rectangle with %s", rule.second, rule.size,
                                    rule.first);
            return false;
        }
        if (values.offset.present) {
            PARSE_RECTANGLE_FAILURE("Cannot specify %s together with %s", rule.offset, rule.first);
            return false;
        }
        low = values.first.value;
        high = values.second.present ? values.second.value : low + rule.direction * values.size.value;
        return true;
    }
    if (values.second.present) {
        if (!values.size.present) {
            PARSE_RECTANGLE_FAILURE("Must specify %s for a rectangle with %s", rule.size, rule.second);
            return false;
        }
        if (values.offset.present) {
            PARSE_RECTANGLE_FAILURE("Cannot specify %s together with %s", rule.offset, rule.second);
            return false;
        }
        high = values.second.value;
        low = high - rule.direction * values.size.value;
        return true;
    }
    if (rule.needsCentre && !(values.size.present && values.offset.present)) {
        PARSE_RECTANGLE_FAILURE("Must specify both %s and %s for a rectangle without %s and %s", rule.size,
                                rule.offset, rule.first, rule.second);
        return false;
    }
    const Float size = values.size.present ? values.size.value : kDefaultSize;
    const Float offset = values.offset.present ? values.offset.value : kDefaultOffset;
    low = offset - rule.direction * size / 2.0f;
    high = offset + rule.direction * size / 2.0f;
    return true;
}

#undef PARSE_RECTANGLE_FAILURE

} // namespace

XmlAtlas::Parser::Parser() = default;

XmlAtlas::Parser::~Parser() = default;

Bool XmlAtlas::Parser::IsRootElement(const String& name)
{
    return name == "Atlas";
}

Bool XmlAtlas::Parser::OnRootElement(const String&, Util::Attributes*)
{
    return true;
}

Bool XmlAtlas::Parser::OnElement(const String& name, Util::Attributes* attributes)
{
    // Rectangles stand directly inside the document element and hold nothing themselves.
    if (GetDepth() != 1 || name != "Rectangle")
        return false;
    AtlasRectangle rectangle;
    if (!ParseRectangle(*attributes, &rectangle))
        return false;
    mRectangles.Add(rectangle);
    return true;
}

Bool XmlAtlas::Parser::ParseRectangle(const IAttributes& attributes, AtlasRectangle* rectangle)
{
    constexpr UInt32 kAxisCount = sizeof(kAxisRules) / sizeof(kAxisRules[0]);
    AxisValues values[kAxisCount] = {};
    Bool error = false;
    for (UInt32 axis = 0; axis < kAxisCount; ++axis) {
        const AxisRule& rule = kAxisRules[axis];
        AxisValues& axisValues = values[axis];
        axisValues.first.present = attributes.GetValue(nullptr, rule.first, &axisValues.first.value, &error);
        axisValues.second.present = attributes.GetValue(nullptr, rule.second, &axisValues.second.value, &error);
        axisValues.size.present = attributes.GetValue(nullptr, rule.size, &axisValues.size.value, &error);
        axisValues.offset.present = attributes.GetValue(nullptr, rule.offset, &axisValues.offset.value, &error);
    }
    if (error)
        return false;

    // Every axis is examined, so that one pass reports all of a rectangle's mistakes.
    AtlasRectangle result = {};
    Bool valid = true;
    for (UInt32 axis = 0; axis < kAxisCount; ++axis)
        valid = ResolveAxis(kAxisRules[axis], values[axis], &result) && valid;
    if (!valid)
        return false;
    *rectangle = result;
    return true;
}

XmlAtlas::XmlAtlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Atlas(id, data, size, conditions, conditionCount)
{
}

XmlAtlas::~XmlAtlas() = default;

Bool XmlAtlas::GetNativeData(Data& data) const
{
    return NativeAtlas::Write(*this, data);
}

void XmlAtlas::TakeRectangles(Parser& parser)
{
    mRectangleBlock = std::move(parser.GetRectangles());
    SetRectangles(UInt32(mRectangleBlock.GetCount()), mRectangleBlock.GetItems());
}

IObject* XmlAtlas::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = true;
    Parser parser;
    if (!parser.Parse(data, size)) {
        if (parser.HasDocumentError()) {
            Debug::Trace("Resource::XmlAtlas::Create(): Failed, %s", parser.GetErrorString().GetText());
            if (failed != nullptr)
                *failed = true;
        }
        return nullptr;
    }
    // The bytes may be released once the creator returns, so the atlas does not point at them.
    XmlAtlas* atlas = new XmlAtlas(id, nullptr, 0, conditions, conditionCount);
    atlas->TakeRectangles(parser);
    return atlas;
}

} // namespace Resource
} // namespace Vorn
