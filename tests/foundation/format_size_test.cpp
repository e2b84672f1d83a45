#include "foundation/format_size.h"

#include <gtest/gtest.h>

namespace Vorn {
namespace {

using Enums::AttributeType;
using Enums::PixelFormat;

struct AttributeTypeCase
{
    AttributeType type;
    UInt32 components;
    UInt32 componentSize;
    UInt32 size;
};

constexpr AttributeTypeCase AttributeTypeCases[] = {
    {AttributeType::UNDEFINED, 0, 0, 0},
    {AttributeType::FLOAT, 1, 4, 4},
    {AttributeType::FLOAT_VECTOR_2, 2, 4, 8},
    {AttributeType::FLOAT_VECTOR_3, 3, 4, 12},
    {AttributeType::FLOAT_VECTOR_4, 4, 4, 16},
    {AttributeType::UINT8, 1, 1, 1},
    {AttributeType::UINT8_VECTOR_2, 2, 1, 2},
    {AttributeType::UINT8_VECTOR_3, 3, 1, 3},
    {AttributeType::UINT8_VECTOR_4, 4, 1, 4},
    {AttributeType::SINT8, 1, 1, 1},
    {AttributeType::SINT8_VECTOR_2, 2, 1, 2},
    {AttributeType::SINT8_VECTOR_3, 3, 1, 3},
    {AttributeType::SINT8_VECTOR_4, 4, 1, 4},
    {AttributeType::UINT16, 1, 2, 2},
    {AttributeType::UINT16_VECTOR_2, 2, 2, 4},
    {AttributeType::UINT16_VECTOR_3, 3, 2, 6},
    {AttributeType::UINT16_VECTOR_4, 4, 2, 8},
    {AttributeType::SINT16, 1, 2, 2},
    {AttributeType::SINT16_VECTOR_2, 2, 2, 4},
    {AttributeType::SINT16_VECTOR_3, 3, 2, 6},
    {AttributeType::SINT16_VECTOR_4, 4, 2, 8},
    {AttributeType(21), 0, 0, 0},
    {AttributeType(0x80000000), 0, 0, 0},
    {AttributeType(0xFFFFFFFF), 0, 0, 0},
};

TEST(FormatSizeTest, AttributeTypesGiveComponentsAndBytes)
{
    for (const AttributeTypeCase& c : AttributeTypeCases) {
        SCOPED_TRACE(Enums::Value(c.type));
        EXPECT_EQ(Util::GetNumberOfComponents(c.type), c.components);
        EXPECT_EQ(Util::GetComponentSize(c.type), c.componentSize);
        EXPECT_EQ(Util::GetAttributeTypeSize(c.type), c.size);
    }
}

struct PixelFormatCase
{
    PixelFormat format;
    UInt32 bytesPerPixel;
    Bool compressed;
};

constexpr PixelFormatCase PixelFormatCases[] = {
    {PixelFormat(0), 0, false},
    {PixelFormat::L8, 1, false},
    {PixelFormat::A8, 1, false},
    {PixelFormat::L8_A8, 2, false},
    {PixelFormat::R8_G8_B8, 3, false},
    {PixelFormat::R5_G6_B5, 2, false},
    {PixelFormat::R8_G8_B8_A8, 4, false},
    {PixelFormat::R5_G5_B5_A1, 2, false},
    {PixelFormat::R4_G4_B4_A4, 2, false},
    {PixelFormat::RGB_PVRTC_4BPPV1, 0, true},
    {PixelFormat::RGB_PVRTC_2BPPV1, 0, true},
    {PixelFormat::RGBA_PVRTC_4BPPV1, 0, true},
    {PixelFormat::RGBA_PVRTC_2BPPV1, 0, true},
    {PixelFormat(13), 0, false},
    {PixelFormat(0x80000009), 0, false}, // negative as a signed number
    {PixelFormat(0xFFFFFFFF), 0, false},
};

TEST(FormatSizeTest, PixelFormatsGiveBytesPerPixelAndCompression)
{
    for (const PixelFormatCase& c : PixelFormatCases) {
        SCOPED_TRACE(Enums::Value(c.format));
        EXPECT_EQ(Util::GetBytesPerPixel(c.format), c.bytesPerPixel);
        EXPECT_EQ(Util::IsCompressedPixelFormat(c.format), c.compressed);
    }
}

} // namespace
} // namespace Vorn
