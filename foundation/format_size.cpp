#include "foundation/format_size.h"

namespace Vorn {
namespace Util {

namespace {

using Enums::AttributeType;
using Enums::PixelFormat;

struct AttributeTypeLayout
{
    AttributeType type;
    UInt32 components;
    UInt32 componentSize;
};

struct PixelFormatLayout
{
    PixelFormat format;
    UInt32 bytesPerPixel;
    Bool compressed;
};

constexpr AttributeTypeLayout AttributeTypeLayouts[] = {
    {AttributeType::UNDEFINED, 0, 0},
    {AttributeType::FLOAT, 1, 4},
    {AttributeType::FLOAT_VECTOR_2, 2, 4},
    {AttributeType::FLOAT_VECTOR_3, 3, 4},
    {AttributeType::FLOAT_VECTOR_4, 4, 4},
    {AttributeType::UINT8, 1, 1},
    {AttributeType::UINT8_VECTOR_2, 2, 1},
    {AttributeType::UINT8_VECTOR_3, 3, 1},
    {AttributeType::UINT8_VECTOR_4, 4, 1},
    {AttributeType::SINT8, 1, 1},
    {AttributeType::SINT8_VECTOR_2, 2, 1},
    {AttributeType::SINT8_VECTOR_3, 3, 1},
    {AttributeType::SINT8_VECTOR_4, 4, 1},
    {AttributeType::UINT16, 1, 2},
    {AttributeType::UINT16_VECTOR_2, 2, 2},
    {AttributeType::UINT16_VECTOR_3, 3, 2},
    {AttributeType::UINT16_VECTOR_4, 4, 2},
    {AttributeType::SINT16, 1, 2},
    {AttributeType::SINT16_VECTOR_2, 2, 2},
    {AttributeType::SINT16_VECTOR_3, 3, 2},
    {AttributeType::SINT16_VECTOR_4, 4, 2},
};

constexpr PixelFormatLayout PixelFormatLayouts[] = {
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
};

// Row i of a layout table describes the value i, so a value finds its row by position.
template <typename Layout, UInt32 Count, typename E>
constexpr Bool RowsFollowValues(const Layout (&layouts)[Count], E Layout::*value)
{
    for (UInt32 i = 0; i < Count; ++i) {
        if (Enums::Value(layouts[i].*value) != i)
            return false;
    }
    return true;
}

static_assert(RowsFollowValues(AttributeTypeLayouts, &AttributeTypeLayout::type));
static_assert(RowsFollowValues(PixelFormatLayouts, &PixelFormatLayout::format));

// The layout of a value, or null when no row describes it.
template <typename Layout, UInt32 Count, typename E>
const Layout* FindLayout(const Layout (&layouts)[Count], E value)
{
    const UInt32 position = Enums::Value(value);
    return position < Count ? &layouts[position] : nullptr;
}

} // namespace

UInt32 GetNumberOfComponents(Enums::AttributeType type)
{
    const AttributeTypeLayout* layout = FindLayout(AttributeTypeLayouts, type);
    return layout != nullptr ? layout->components : 0;
}

UInt32 GetComponentSize(Enums::AttributeType type)
{
    const AttributeTypeLayout* layout = FindLayout(AttributeTypeLayouts, type);
    return layout != nullptr ? layout->componentSize : 0;
}

UInt32 GetAttributeTypeSize(Enums::AttributeType type)
{
    return GetNumberOfComponents(type) * GetComponentSize(type);
}

UInt32 GetBytesPerPixel(Enums::PixelFormat format)
{
    const PixelFormatLayout* layout = FindLayout(PixelFormatLayouts, format);
    return layout != nullptr ? layout->bytesPerPixel : 0;
}

Bool IsCompressedPixelFormat(Enums::PixelFormat format)
{
    const PixelFormatLayout* layout = FindLayout(PixelFormatLayouts, format);
    return layout != nullptr && layout->compressed;
}

} // namespace Util
} // namespace Vorn
