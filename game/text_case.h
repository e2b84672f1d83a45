// Capitals for display: the signs and menus show level titles and some menu texts in upper case.
#pragma once

#include "foundation/string.h"

namespace Vorn {
namespace App {

// The text with a to z and the UTF-8 small a, o and u with diaeresis turned into capitals;
// every other byte (the sharp s and other accented letters too) is kept, so the length never
// changes.
String ToUpperCase(const String& text);

} // namespace App
} // namespace Vorn
