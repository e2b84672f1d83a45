#include "foundation/attributes.h"

#include <cfloat>

#include "foundation/debug.h"
#include "foundation/text.h"

namespace Vorn {
namespace Util {

namespace {

// A parameter whose value refers back to itself, directly or through other parameters, or a
// value with braces nested without end would recurse for ever; evaluation gives up this deep.
constexpr SInt32 kMaxEvaluationDepth = 16;
thread_local SInt32 tEvaluationDepth = 0;
// Set when the limit was hit, until the outermost evaluation returns: the levels in between
// would each report their parameter as not found, which says nothing new.
thread_local Bool tTooDeep = false;

// Parameters that each name the one below several times multiply: ten levels of ten make one
// value of 10^10 bytes from a few hundred bytes of file. One read (the outermost evaluation
// with all the levels it starts) stops past these bounds, far above any real value's needs;
// the count also stops chains of parameters that expand to nothing.
constexpr SInt32 kMaxExpandedLength = 1024 * 1024;
constexpr SInt32 kMaxSubstitutions = 65536;
thread_local SInt32 tSubstitutions = 0;
// Set when a bound was hit, until the outermost evaluation returns: its one line says it all.
thread_local Bool tTooLong = false;

class EvaluationDepthGuard
{
public:
    EvaluationDepthGuard() { ++tEvaluationDepth; }
    ~EvaluationDepthGuard()
    {
        if (--tEvaluationDepth == 0) {
            tTooDeep = false;
            tTooLong = false;
            tSubstitutions = 0;
        }
    }
    EvaluationDepthGuard(const EvaluationDepthGuard&) = delete;
    EvaluationDepthGuard& operator=(const EvaluationDepthGuard&) = delete;
    Bool CheckTooDeep() const
    {
        if (tEvaluationDepth > kMaxEvaluationDepth)
            tTooDeep = true;
        return tTooDeep;
    }
    Bool IsInnerLevelOfTooDeepChain() const { return tTooDeep && tEvaluationDepth > 1; }
    // True (with the one line of the read) when the substitution just made passes a bound.
    Bool CheckTooLong(const char* attributeName, SInt64 resultLength) const
    {
        if (tTooLong)
            return true;
        if (++tSubstitutions <= kMaxSubstitutions && resultLength <= kMaxExpandedLength)
            return false;
        tTooLong = true;
        if (attributeName != nullptr)
            Debug::Trace("Util::Attributes::EvaluateParameters(): Parameters in value for attribute \"%s\" expand beyond %d bytes or %d substitutions",
                         attributeName, kMaxExpandedLength, kMaxSubstitutions);
        else
            Debug::Trace("Util::Attributes::EvaluateParameters(): Parameters expand beyond %d bytes or %d substitutions",
                         kMaxExpandedLength, kMaxSubstitutions);
        return true;
    }
    Bool IsTooLong() const { return tTooLong; }
};

// The single-value conversions: the type's name for messages and its text reader.
template <class T>
struct Conversion;

template <>
struct Conversion<Float>
{
    static constexpr const char* kTypeName = "Float";
    static Bool Convert(const String& text, Float& value) { return StringToReal(text, value); }
};
template <>
struct Conversion<Double>
{
    static constexpr const char* kTypeName = "Double";
    static Bool Convert(const String& text, Double& value) { return StringToDouble(text, value); }
};
template <>
struct Conversion<SInt32>
{
    static constexpr const char* kTypeName = "SInt32";
    static Bool Convert(const String& text, SInt32& value) { return StringToSInt32(text, value); }
};
template <>
struct Conversion<UInt32>
{
    static constexpr const char* kTypeName = "UInt32";
    static Bool Convert(const String& text, UInt32& value) { return StringToUInt32(text, value); }
};
template <>
struct Conversion<Bool>
{
    static constexpr const char* kTypeName = "Bool";
    static Bool Convert(const String& text, Bool& value) { return StringToBool(text, value); }
};

// Every conversion below opens its message with className, the class of the list that reads.
template <class T>
Bool ConvertValue(const char* className, const String& text, const char* name, T* value, Bool* error)
{
    if (!Conversion<T>::Convert(text, *value)) {
        Debug::Trace("%s::GetValue(): Failed to convert value \"%s\" for attribute \"%s\" to %s", className,
                     text.GetText(), name, Conversion<T>::kTypeName);
        *error = true;
        return false;
    }
    return true;
}

// Converts the parts in order and appends each value; the first part that fails ends the read,
// and the values appended before it stay in the output.
template <class T>
Bool ConvertParts(const char* className, const Array<String>& parts, const char* name, Array<T>* values, Bool* error,
                  Bool clearFirst)
{
    if (clearFirst)
        values->SetCapacity(0);
    for (const String& part : parts) {
        T value;
        if (!Conversion<T>::Convert(part, value)) {
            Debug::Trace("%s::GetValues(): Failed to convert value \"%s\" for attribute \"%s\" to %s", className,
                         part.GetText(), name, Conversion<T>::kTypeName);
            *error = true;
            return false;
        }
        values->Add(value);
    }
    return true;
}

template <class T>
Bool ConvertList(const char* className, const String& text, const char* name, Array<T>* values, Bool* error,
                 Bool clearFirst)
{
    Array<String> parts;
    SplitString(text, ',', parts);
    return ConvertParts(className, parts, name, values, error, clearFirst);
}

Bool SplitList(const String& text, Array<String>* values)
{
    SplitString(text, ',', *values);
    return true;
}

Bool ConvertColor(const char* className, const String& text, const char* name, Color* value, Bool* error)
{
    Array<Float> numbers;
    if (!ConvertList(className, text, name, &numbers, error, true))
        return false;
    if (numbers.GetCount() < 3) {
        Debug::Trace("%s::GetValue(): Failed to convert value \"%s\" for attribute \"%s\" to Color, too little values "
                     "given",
                     className, text.GetText(), name);
        *error = true;
        return false;
    }
    if (numbers.GetCount() > 4) {
        Debug::Trace("%s::GetValue(): Failed to convert value \"%s\" for attribute \"%s\" to Color, too many values "
                     "given",
                     className, text.GetText(), name);
        *error = true;
        return false;
    }
    value->red = numbers[0];
    value->green = numbers[1];
    value->blue = numbers[2];
    value->alpha = numbers.GetCount() == 4 ? numbers[3] : 1.0f;
    return true;
}

// The word is untouched when the list does not convert; a bit number out of range ends the read
// with the bits before it already set ('3,40' keeps bit 3).
Bool ConvertBits(const char* className, const String& text, const char* name, UInt32* bits, Bool* error,
                 Bool clearFirst)
{
    Array<UInt32> numbers;
    if (!ConvertList(className, text, name, &numbers, error, true))
        return false;
    if (clearFirst)
        *bits = 0;
    for (UInt32 number : numbers) {
        if (number > 31) {
            Debug::Trace("%s::GetBitsToSet(): Bit number %d out of range", className, SInt32(number));
            *error = true;
            return false;
        }
        *bits |= UInt32(1) << number;
    }
    return true;
}

Bool ConvertBit(const char* className, const String& text, const char* name, UInt32 mask, Bool inverted,
                UInt32* bits, Bool* error)
{
    Bool set;
    if (!ConvertValue(className, text, name, &set, error))
        return false;
    if (set != inverted)
        *bits |= mask;
    else
        *bits &= ~mask;
    return true;
}

// An angle that does not convert only sets the error flag: the builder that reads it writes the
// message for the whole object.
Bool ConvertAngle(const String& text, Double* value, Bool* error)
{
    Double radians;
    Bool isUnitGiven;
    if (!StringToAngle(text, radians, isUnitGiven)) {
        *error = true;
        return false;
    }
    *value = radians;
    return true;
}

// An angle beyond the range of a float does not convert rather than turning into infinity.
Bool ConvertAngle(const String& text, Float* value, Bool* error)
{
    Double radians;
    if (!ConvertAngle(text, &radians, error))
        return false;
    if (!(radians >= -FLT_MAX && radians <= FLT_MAX)) {
        *error = true;
        return false;
    }
    *value = Float(radians);
    return true;
}

// Finds the brace that closes the one at open; -1 when the text ends first.
SInt32 FindClosingBrace(const String& text, SInt32 open)
{
    const char* bytes = text.GetText();
    const SInt32 length = text.GetLength();
    SInt32 depth = 0;
    for (SInt32 i = open + 1; i < length; ++i) {
        if (bytes[i] == '{') {
            ++depth;
        } else if (bytes[i] == '}') {
            if (--depth < 0)
                return i;
        }
    }
    return -1;
}

// Both forms of EvaluateParameters; attributeName is null for the bare form.
Bool Evaluate(const IAttributes* parameters, const char* attributeName, String* value, Bool* error)
{
    if (parameters == nullptr)
        return true;
    const String& text = *value;
    SInt32 open = text.Find('{');
    if (open < 0)
        return true;

    EvaluationDepthGuard guard;
    if (guard.CheckTooDeep()) {
        if (attributeName != nullptr)
            Debug::Trace("Util::Attributes::EvaluateParameters(): Parameters nested too deeply in value \"%s\" for attribute \"%s\"",
                         text.GetText(), attributeName);
        else
            Debug::Trace("Util::Attributes::EvaluateParameters(): Parameters nested too deeply in value \"%s\"", text.GetText());
        *error = true;
        return false;
    }

    String result;
    SInt32 lastClose = -1;
    while (open >= 0) {
        result.Append(text.GetText() + lastClose + 1, open - lastClose - 1);
        const SInt32 close = FindClosingBrace(text, open);
        if (close < 0) {
            if (attributeName != nullptr)
                Debug::Trace("Util::Attributes::EvaluateParameters(): Mismatched braces in value \"%s\" for attribute \"%s\"",
                             text.GetText(), attributeName);
            else
                Debug::Trace("Util::Attributes::EvaluateParameters(): Mismatched braces in value \"%s\"", text.GetText());
            *error = true;
            return false;
        }
        String parameterName = text.Mid(open + 1, close - open - 1);
        if (!Evaluate(parameters, attributeName, &parameterName, error))
            return false;
        String parameterValue;
        if (!parameters->GetValue(parameters, parameterName.GetText(), &parameterValue, error)) {
            if (guard.IsInnerLevelOfTooDeepChain() || guard.IsTooLong()) {
                // The limit's own line has been written; only the outermost level adds one.
            } else if (attributeName != nullptr) {
                Debug::Trace("Util::Attributes::EvaluateParameters(): Parameter \"%s\" in expression \"%s\" not found for attribute \"%s\"",
                             parameterName.GetText(), text.GetText(), attributeName);
            } else {
                Debug::Trace("Util::Attributes::EvaluateParameters(): Parameter \"%s\" in expression \"%s\" not found ",
                             parameterName.GetText(), text.GetText());
            }
            *error = true;
            return false;
        }
        if (guard.CheckTooLong(attributeName, SInt64(result.GetLength()) + parameterValue.GetLength())) {
            *error = true;
            return false;
        }
        result += parameterValue;
        lastClose = close;
        open = text.Find('{', close + 1);
    }
    result.Append(text.GetText() + lastClose + 1, text.GetLength() - lastClose - 1);
    *value = result;
    return true;
}

} // namespace

TypedAttributes::TypedAttributes(const char* className) : mClassName(className) {}

// Single values by name.

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, Color* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertColor(mClassName, text, name, value, error);
}

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertValue(mClassName, text, name, value, error);
}

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertValue(mClassName, text, name, value, error);
}

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, SInt32* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertValue(mClassName, text, name, value, error);
}

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, UInt32* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertValue(mClassName, text, name, value, error);
}

Bool TypedAttributes::GetValue(const IAttributes* parameters, const char* name, Bool* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertValue(mClassName, text, name, value, error);
}

// Single values by index; messages name the attribute from its record.

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, Color* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertColor(mClassName, text, GetAttributeName(index), value, error);
}

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertValue(mClassName, text, GetAttributeName(index), value, error);
}

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertValue(mClassName, text, GetAttributeName(index), value, error);
}

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, SInt32* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertValue(mClassName, text, GetAttributeName(index), value, error);
}

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, UInt32* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertValue(mClassName, text, GetAttributeName(index), value, error);
}

Bool TypedAttributes::GetValue(UInt32 index, const IAttributes* parameters, Bool* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertValue(mClassName, text, GetAttributeName(index), value, error);
}

// Lists by name.

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<Float>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertList(mClassName, text, name, values, error, clearFirst);
}

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<Double>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertList(mClassName, text, name, values, error, clearFirst);
}

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<SInt32>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertList(mClassName, text, name, values, error, clearFirst);
}

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<UInt32>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertList(mClassName, text, name, values, error, clearFirst);
}

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<Bool>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertList(mClassName, text, name, values, error, clearFirst);
}

Bool TypedAttributes::GetValues(const IAttributes* parameters, const char* name, Array<String>* values, Bool* error, Bool) const
{
    String text;
    return GetValue(parameters, name, &text, error) && SplitList(text, values);
}

// Lists by index.

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<Float>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertList(mClassName, text, GetAttributeName(index), values, error, clearFirst);
}

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<Double>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertList(mClassName, text, GetAttributeName(index), values, error, clearFirst);
}

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<SInt32>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertList(mClassName, text, GetAttributeName(index), values, error, clearFirst);
}

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<UInt32>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertList(mClassName, text, GetAttributeName(index), values, error, clearFirst);
}

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<Bool>* values, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertList(mClassName, text, GetAttributeName(index), values, error, clearFirst);
}

Bool TypedAttributes::GetValues(UInt32 index, const IAttributes* parameters, Array<String>* values, Bool* error, Bool) const
{
    String text;
    return GetValue(index, parameters, &text, error) && SplitList(text, values);
}

// Bits.

Bool TypedAttributes::GetBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertBit(mClassName, text, name, mask, false, bits, error);
}

Bool TypedAttributes::GetBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertBit(mClassName, text, GetAttributeName(index), mask, false, bits, error);
}

Bool TypedAttributes::GetInvertedBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertBit(mClassName, text, name, mask, true, bits, error);
}

Bool TypedAttributes::GetInvertedBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertBit(mClassName, text, GetAttributeName(index), mask, true, bits, error);
}

Bool TypedAttributes::GetBitsToSet(const IAttributes* parameters, const char* name, UInt32* bits, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertBits(mClassName, text, name, bits, error, clearFirst);
}

Bool TypedAttributes::GetBitsToSet(UInt32 index, const IAttributes* parameters, UInt32* bits, Bool* error, Bool clearFirst) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertBits(mClassName, text, GetAttributeName(index), bits, error, clearFirst);
}

// Angles.

Bool TypedAttributes::GetAngleValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertAngle(text, value, error);
}

Bool TypedAttributes::GetAngleValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const
{
    String text;
    return GetValue(parameters, name, &text, error) && ConvertAngle(text, value, error);
}

Bool TypedAttributes::GetAngleValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertAngle(text, value, error);
}

Bool TypedAttributes::GetAngleValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const
{
    String text;
    return GetValue(index, parameters, &text, error) &&
           ConvertAngle(text, value, error);
}

Attributes::Attributes() : TypedAttributes("Util::Attributes"), mNumUsed(0) {}

Attributes::Attributes(const char* const* namesAndValues) : TypedAttributes("Util::Attributes"), mNumUsed(0)
{
    if (namesAndValues == nullptr)
        return;
    for (SInt32 i = 0; namesAndValues[i] != nullptr; i += 2) {
        AppendRecord(String(namesAndValues[i]), String(namesAndValues[i + 1]));
        // A missing value also ends the list: nothing behind it may be read.
        if (namesAndValues[i + 1] == nullptr)
            break;
    }
}

Attributes::Attributes(const IAttributes& source, Bool unusedOnly)
    : TypedAttributes("Util::Attributes"), mNumUsed(0)
{
    const UInt32 count = source.GetNumberOfAttributes();
    for (UInt32 i = 0; i < count; ++i) {
        if (unusedOnly && source.IsAttributeUsed(i))
            continue;
        String name;
        String value;
        if (source.GetNameAndValue(i, &name, &value))
            AppendRecord(name, value);
    }
}

Attributes::Attributes(const Attributes& source) : Attributes(source, false) {}

Attributes::Attributes(const IAttributes& first, const IAttributes& second) : Attributes(first, false)
{
    const UInt32 count = second.GetNumberOfAttributes();
    for (UInt32 i = 0; i < count; ++i) {
        String name;
        String value;
        if (second.GetNameAndValue(i, &name, &value) && mNames.Find(name) < 0)
            AppendRecord(name, value);
    }
}

Attributes::~Attributes()
{
    for (Record* record : mRecords)
        delete record;
}

void Attributes::AppendRecord(const String& name, const String& value)
{
    Record* record = new Record{name, value, false};
    mNames.Add(name);
    mRecords.Add(record);
}

Attributes::Record* Attributes::UseRecord(const char* name) const
{
    if (mRecords.IsEmpty() || name == nullptr)
        return nullptr;
    const SInt32 position = mNames.Find(String(name));
    if (position < 0)
        return nullptr;
    return UseRecord(UInt32(position));
}

Attributes::Record* Attributes::UseRecord(UInt32 index) const
{
    if (index >= GetNumberOfAttributes())
        return nullptr;
    Record* record = mRecords[SInt32(index)];
    if (!record->mUsed) {
        record->mUsed = true;
        ++mNumUsed;
    }
    return record;
}

UInt32 Attributes::GetNumberOfAttributes() const
{
    return UInt32(mRecords.GetCount());
}

UInt32 Attributes::GetAttributeHash(UInt32 index) const
{
    if (index >= GetNumberOfAttributes()) {
        Debug::Trace("Util::Attributes::GetAttributeHash(): Index out of range");
        return 0;
    }
    return mRecords[SInt32(index)]->mName.GetHash();
}

const char* Attributes::GetAttributeName(UInt32 index) const
{
    if (index >= GetNumberOfAttributes()) {
        Debug::Trace("Util::Attributes::GetAttributeName(): Index out of range");
        return nullptr;
    }
    return mRecords[SInt32(index)]->mName.GetText();
}

const char* Attributes::GetAttributeValue(UInt32 index) const
{
    if (index >= GetNumberOfAttributes()) {
        Debug::Trace("Util::Attributes::GetAttributeValue(): Index out of range");
        return nullptr;
    }
    return mRecords[SInt32(index)]->mValue.GetText();
}

Bool Attributes::GetNameAndValue(UInt32 index, String* name, String* value) const
{
    if (index >= GetNumberOfAttributes()) {
        Debug::Trace("Util::Attributes::GetNameAndValue(): Index out of range");
        return false;
    }
    const Record* record = mRecords[SInt32(index)];
    *name = record->mName;
    *value = record->mValue;
    return true;
}

Bool Attributes::IsAttributeUsed(UInt32 index) const
{
    if (index >= GetNumberOfAttributes()) {
        Debug::Trace("Util::Attributes::IsAttributeUsed(): Index out of range");
        return false;
    }
    return mRecords[SInt32(index)]->mUsed;
}

UInt32 Attributes::GetNumberOfUnusedAttributes() const
{
    return GetNumberOfAttributes() - mNumUsed;
}

Bool Attributes::GetUnusedAttributeNames(Array<String>* names) const
{
    if (mNumUsed == GetNumberOfAttributes())
        return false;
    for (const Record* record : mRecords) {
        if (!record->mUsed)
            names->Add(record->mName);
    }
    return true;
}

Bool Attributes::MarkAllAttributesUsed() const
{
    for (Record* record : mRecords)
        record->mUsed = true;
    mNumUsed = GetNumberOfAttributes();
    return true;
}

// The String reads that the typed reads build on.

Bool Attributes::GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const
{
    const Record* record = UseRecord(name);
    if (record == nullptr)
        return false;
    String text = record->mValue;
    if (!Evaluate(parameters, name, &text, error))
        return false;
    *value = text;
    return true;
}

Bool Attributes::GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const
{
    const Record* record = UseRecord(index);
    if (record == nullptr)
        return false;
    String text = record->mValue;
    if (!Evaluate(parameters, nullptr, &text, error))
        return false;
    *value = text;
    return true;
}

// Editing.

Bool Attributes::AddAttribute(const String& name, const String& value)
{
    if (mNames.Find(name) >= 0)
        return false;
    AppendRecord(name, value);
    return true;
}

Bool Attributes::SetAttribute(const String& name, const String& value)
{
    const SInt32 position = mNames.Find(name);
    if (position < 0)
        return false;
    Record* record = mRecords[position];
    record->mValue = value;
    if (record->mUsed) {
        record->mUsed = false;
        --mNumUsed;
    }
    return true;
}

Bool Attributes::EvaluateParameters(const IAttributes* parameters, const char* attributeName, String* value, Bool* error)
{
    // A null name would read as the bare form; keep the named form's messages well-formed.
    return Evaluate(parameters, attributeName != nullptr ? attributeName : "", value, error);
}

Bool Attributes::EvaluateParameters(const IAttributes* parameters, String* value, Bool* error)
{
    return Evaluate(parameters, nullptr, value, error);
}

} // namespace Util
} // namespace Vorn
