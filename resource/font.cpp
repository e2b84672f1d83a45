#include "resource/font.h"

namespace Vorn {
namespace Resource {

Font::Font(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount)
{
}

Font::~Font() = default;

} // namespace Resource
} // namespace Vorn
