#include "resource/pixel_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

using Enums::PixelFormat;

void Store16(UInt8* target, UInt32 value)
{
    target[0] = UInt8(value);
    target[1] = UInt8(value >> 8);
}

UInt32 Load16(const UInt8* source)
{
    return UInt32(source[0]) | (UInt32(source[1]) << 8);
}

// A 5- or 6-bit channel to 8 bits, repeating its top bits in the low ones so that the full
// value maps to 255.
UInt8 Widen5(UInt32 channel)
{
    return UInt8((channel << 3) | (channel >> 2));
}

UInt8 Widen6(UInt32 channel)
{
    return UInt8((channel << 2) | (channel >> 4));
}

void RgbToRgba(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 3, target += 4) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        target[3] = 255;
    }
}

void RgbToRgba5551(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 3, target += 2) {
        Store16(target, ((source[0] & 0xF8u) << 8) | ((source[1] & 0xF8u) << 3) | ((source[2] >> 2) & 0x3Eu) | 1u);
    }
}

void RgbaToRgb(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 4, target += 3) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
    }
}

void RgbaToRgb565(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 4, target += 2)
        Store16(target, ((source[0] & 0xF8u) << 8) | ((source[1] & 0xFCu) << 3) | (source[2] >> 3));
}

void RgbaToRgba5551(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 4, target += 2) {
        Store16(target,
                ((source[0] & 0xF8u) << 8) | ((source[1] & 0xF8u) << 3) | ((source[2] >> 2) & 0x3Eu) | (source[3] >> 7));
    }
}

void Rgba5551ToRgba(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 2, target += 4) {
        const UInt32 value = Load16(source);
        target[0] = Widen5((value >> 11) & 0x1F);
        target[1] = Widen5((value >> 6) & 0x1F);
        target[2] = Widen5((value >> 1) & 0x1F);
        target[3] = (value & 1) != 0 ? 255 : 0;
    }
}

void Rgb565ToRgba(const UInt8* source, UInt8* target, UInt32 pixelCount)
{
    for (UInt32 i = 0; i < pixelCount; ++i, source += 2, target += 4) {
        const UInt32 value = Load16(source);
        target[0] = Widen5((value >> 11) & 0x1F);
        target[1] = Widen6((value >> 5) & 0x3F);
        target[2] = Widen5(value & 0x1F);
        target[3] = 255;
    }
}

struct ConverterRow
{
    PixelFormat source;
    PixelFormat target;
    PixelRowConverter converter;
};

// Every pair that is not listed has no converter.
constexpr ConverterRow kConverters[] = {
    {PixelFormat::R8_G8_B8, PixelFormat::R8_G8_B8_A8, &RgbToRgba},
    {PixelFormat::R8_G8_B8, PixelFormat::R5_G5_B5_A1, &RgbToRgba5551},
    {PixelFormat::R8_G8_B8_A8, PixelFormat::R8_G8_B8, &RgbaToRgb},
    {PixelFormat::R8_G8_B8_A8, PixelFormat::R5_G6_B5, &RgbaToRgb565},
    {PixelFormat::R8_G8_B8_A8, PixelFormat::R5_G5_B5_A1, &RgbaToRgba5551},
    {PixelFormat::R5_G5_B5_A1, PixelFormat::R8_G8_B8_A8, &Rgba5551ToRgba},
    {PixelFormat::R5_G6_B5, PixelFormat::R8_G8_B8_A8, &Rgb565ToRgba},
};

} // namespace

PixelRowConverter FindPixelRowConverter(Enums::PixelFormat source, Enums::PixelFormat target)
{
    for (const ConverterRow& row : kConverters) {
        if (row.source == source && row.target == target)
            return row.converter;
    }
    return nullptr;
}

} // namespace Resource
} // namespace Vorn
