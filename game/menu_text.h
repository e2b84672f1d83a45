// Text helpers of the main menu: profile names broken into lines and play times as clock text.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace App {

// The text with a line break before every 7th character of a line (UTF-8 characters, so that
// multi-byte letters are never split): "PLAYER 1" gives "PLAYER\n 1".
String BreakLines(const String& text);

// Seconds as "hh:mm:ss", every part truncated (59.99 gives "00:00:59"); negative or
// not-a-number times give "00:00:00".
String FormatTime(Float seconds);

} // namespace App
} // namespace Vorn
