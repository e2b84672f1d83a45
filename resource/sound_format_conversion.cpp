#include "resource/sound_format_conversion.h"

#include <cstring>

namespace Vorn {
namespace Resource {

namespace {

struct SoundFormatInfo
{
    UInt32 channels;
    UInt32 bytesPerSample;
};

// Indexed by Enums::SoundFormat; row 0 is no format.
constexpr SoundFormatInfo kSoundFormats[] = {
    {0, 0}, // none
    {1, 1}, // MONO_8_BIT
    {1, 2}, // MONO_16_BIT
    {2, 1}, // STEREO_8_BIT
    {2, 2}, // STEREO_16_BIT
};
constexpr UInt32 kNumberOfFormatRows = sizeof(kSoundFormats) / sizeof(kSoundFormats[0]);

// Every sample travels as a signed 16-bit value: 8-bit samples widen to (x - 128) << 8 and narrow
// back to the high byte + 128, so that narrowing a widened sample gives it back unchanged.
template <UInt32 Bytes>
inline SInt32 ReadSample(const UInt8* bytes)
{
    if constexpr (Bytes == 1)
        return (SInt32(bytes[0]) - 128) * 256;
    else
        return SInt32(SInt16(UInt16(bytes[0]) | UInt16(bytes[1] << 8)));
}

template <UInt32 Bytes>
inline void WriteSample(UInt8* bytes, SInt32 value)
{
    if constexpr (Bytes == 1) {
        bytes[0] = UInt8((value >> 8) + 128);
    } else {
        bytes[0] = UInt8(value);
        bytes[1] = UInt8(UInt32(value) >> 8);
    }
}

// Mono to stereo writes the sample to both channels; stereo to mono mixes (L + R) >> 1.
template <UInt32 SourceChannels, UInt32 SourceBytes, UInt32 TargetChannels, UInt32 TargetBytes>
void ConvertFrames(const void* source, void* target, UInt32 count)
{
    const UInt8* in = static_cast<const UInt8*>(source);
    UInt8* out = static_cast<UInt8*>(target);
    if constexpr (SourceChannels == TargetChannels && SourceBytes == TargetBytes) {
        std::memcpy(out, in, size_t(count) * SourceChannels * SourceBytes);
    } else {
        for (UInt32 i = 0; i < count; ++i) {
            const SInt32 left = ReadSample<SourceBytes>(in);
            const SInt32 right = SourceChannels == 2 ? ReadSample<SourceBytes>(in + SourceBytes) : left;
            in += SourceChannels * SourceBytes;
            if constexpr (TargetChannels == 1) {
                WriteSample<TargetBytes>(out, SourceChannels == 2 ? (left + right) >> 1 : left);
            } else {
                WriteSample<TargetBytes>(out, left);
                WriteSample<TargetBytes>(out + TargetBytes, right);
            }
            out += TargetChannels * TargetBytes;
        }
    }
}

typedef void (*Converter)(const void* source, void* target, UInt32 count);

#define VORN_CONVERTER_ROW(c, b)                                                                                      \
    {                                                                                                                  \
        nullptr, &ConvertFrames<c, b, 1, 1>, &ConvertFrames<c, b, 1, 2>, &ConvertFrames<c, b, 2, 1>,                  \
            &ConvertFrames<c, b, 2, 2>                                                                                 \
    }

// [source format][target format], both indexed by Enums::SoundFormat.
const Converter kConverters[5][5] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    VORN_CONVERTER_ROW(1, 1),
    VORN_CONVERTER_ROW(1, 2),
    VORN_CONVERTER_ROW(2, 1),
    VORN_CONVERTER_ROW(2, 2),
};

#undef VORN_CONVERTER_ROW

template <UInt32 Bytes>
inline void WriteFloatSample(UInt8* bytes, float x)
{
    if constexpr (Bytes == 1) {
        bytes[0] = FloatToSample8(x);
    } else {
        const UInt16 value = UInt16(FloatToSample16(x));
        bytes[0] = UInt8(value);
        bytes[1] = UInt8(value >> 8);
    }
}

template <UInt32 SourceChannels, UInt32 TargetChannels, UInt32 TargetBytes>
void ConvertFloatFrames(const float* const* source, void* target, UInt32 count)
{
    UInt8* out = static_cast<UInt8*>(target);
    const float* left = source[0];
    const float* right = SourceChannels == 2 ? source[1] : source[0];
    for (UInt32 i = 0; i < count; ++i) {
        if constexpr (TargetChannels == 1) {
            WriteFloatSample<TargetBytes>(out, SourceChannels == 2 ? (left[i] + right[i]) * 0.5f : left[i]);
        } else {
            WriteFloatSample<TargetBytes>(out, left[i]);
            WriteFloatSample<TargetBytes>(out + TargetBytes, right[i]);
        }
        out += TargetChannels * TargetBytes;
    }
}

typedef void (*FloatConverter)(const float* const* source, void* target, UInt32 count);

// [channels][target format].
const FloatConverter kFloatConverters[3][5] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {nullptr, &ConvertFloatFrames<1, 1, 1>, &ConvertFloatFrames<1, 1, 2>, &ConvertFloatFrames<1, 2, 1>,
     &ConvertFloatFrames<1, 2, 2>},
    {nullptr, &ConvertFloatFrames<2, 1, 1>, &ConvertFloatFrames<2, 1, 2>, &ConvertFloatFrames<2, 2, 1>,
     &ConvertFloatFrames<2, 2, 2>},
};

} // namespace

Bool IsValidSoundFormat(UInt32 format)
{
    return format != 0 && format < kNumberOfFormatRows;
}

UInt32 GetBytesPerFrame(UInt32 format)
{
    return IsValidSoundFormat(format) ? kSoundFormats[format].channels * kSoundFormats[format].bytesPerSample : 0;
}

UInt32 GetNumberOfChannels(UInt32 format)
{
    return IsValidSoundFormat(format) ? kSoundFormats[format].channels : 0;
}

Bool ConvertSamples(UInt32 sourceFormat, UInt32 targetFormat, const void* source, void* target, UInt32 count)
{
    if (!IsValidSoundFormat(sourceFormat) || !IsValidSoundFormat(targetFormat))
        return false;
    if (count != 0)
        kConverters[sourceFormat][targetFormat](source, target, count);
    return true;
}

Bool ConvertFloatSamples(UInt32 channels, UInt32 targetFormat, const float* const* source, void* target,
                         UInt32 count)
{
    if (channels < 1 || channels > 2 || !IsValidSoundFormat(targetFormat))
        return false;
    if (count != 0)
        kFloatConverters[channels][targetFormat](source, target, count);
    return true;
}

SInt16 FloatToSample16(float x)
{
    if (x != x)
        return 0;
    // Clamped before the conversion to an integer, which would be undefined out of range.
    const double value = double(x) * 32767.0 + 0.5;
    if (value <= -32768.0)
        return -32768;
    if (value >= 32767.0)
        return 32767;
    return SInt16(value);
}

UInt8 FloatToSample8(float x)
{
    if (x != x)
        return 128;
    const double value = double(x) * 127.0 + 128.5;
    if (value <= 0.0)
        return 0;
    if (value >= 255.0)
        return 255;
    return UInt8(value);
}

} // namespace Resource
} // namespace Vorn
