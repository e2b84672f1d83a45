// The attribute conversions under every reader: the input is split at its first two zero bytes
// into an attribute value and the values of the parameters "p" and "q" (so that values can refer
// to each other and to themselves), and the value is read as every type the lists offer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "foundation/attributes.h"

namespace {

using namespace Vorn;

volatile UInt32 gSink = 0;

String NextPart(const std::uint8_t*& data, std::size_t& size)
{
    const void* zero = std::memchr(data, 0, size);
    const std::size_t length = zero != nullptr ? std::size_t(static_cast<const std::uint8_t*>(zero) - data) : size;
    String part(reinterpret_cast<const char*>(data), SInt32(length));
    const std::size_t used = zero != nullptr ? length + 1 : length;
    data += used;
    size -= used;
    return part;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0x7FFFFFFFu)
        return 0;
    const String value = NextPart(data, size);
    const String parameter = NextPart(data, size);
    const String other = NextPart(data, size);

    Util::Attributes parameters;
    parameters.AddAttribute(String("p"), parameter);
    parameters.AddAttribute(String("q"), other);
    Util::Attributes list;
    list.AddAttribute(String("v"), value);

    Bool error = false;
    Color color;
    Float real;
    Double number;
    SInt32 integer;
    UInt32 word = 0;
    Bool flag;
    String text;
    list.GetValue(&parameters, "v", &color, &error);
    list.GetValue(&parameters, "v", &real, &error);
    list.GetValue(&parameters, "v", &number, &error);
    list.GetValue(&parameters, "v", &integer, &error);
    list.GetValue(&parameters, "v", &word, &error);
    list.GetValue(&parameters, "v", &flag, &error);
    list.GetValue(&parameters, "v", &text, &error);
    list.GetValue(UInt32(0), &parameters, &real, &error);
    Array<Float> reals;
    Array<Double> numbers;
    Array<SInt32> integers;
    Array<UInt32> words;
    Array<Bool> flags;
    Array<String> texts;
    list.GetValues(&parameters, "v", &reals, &error, false);
    list.GetValues(&parameters, "v", &numbers, &error, true);
    list.GetValues(&parameters, "v", &integers, &error, false);
    list.GetValues(&parameters, "v", &words, &error, true);
    list.GetValues(&parameters, "v", &flags, &error, false);
    list.GetValues(&parameters, "v", &texts, &error, true);
    UInt32 bits = 0;
    list.GetBitValue(&parameters, "v", 0x10, &bits, &error);
    list.GetInvertedBitValue(&parameters, "v", 0x20, &bits, &error);
    list.GetBitsToSet(&parameters, "v", &bits, &error, false);
    list.GetAngleValue(&parameters, "v", &real, &error);
    list.GetAngleValue(&parameters, "v", &number, &error);
    String evaluated = value;
    Util::Attributes::EvaluateParameters(&parameters, "v", &evaluated, &error);
    gSink = gSink + bits + word + UInt32(texts.GetCount()) + UInt32(evaluated.GetLength());
    return 0;
}
