// The engine's file paths: "/" separates folders on every platform; helpers that find nothing
// return the empty text. Used by the file interface and the resource collection.
#pragma once

#include "foundation/string.h"

namespace Vorn {
namespace Util {

// The text before the last "/" (without it); empty when there is no "/".
String GetFilePath(const String& path);
// The text after the last "." anywhere in the path (so 'dir.old/file' gives 'old/file');
// empty when there is none.
String GetFileExtension(const String& path);
// A copy with every "\" replaced by "/".
String ConvertBackslashes(const String& path);
// a and b joined by exactly one "/" at the seam (a slash on both sides loses one, no more);
// an empty part gives the other part.
String JoinPaths(const String& a, const String& b);

} // namespace Util
} // namespace Vorn
