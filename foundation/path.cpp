#include "foundation/path.h"

namespace Vorn {
namespace Util {

namespace {

// Position of the last byte equal to the given one; -1 when none.
SInt32 FindLastByte(const String& text, char byte)
{
    const char* bytes = text.GetText();
    for (SInt32 position = text.GetLength() - 1; position >= 0; --position)
    {
        if (bytes[position] == byte)
            return position;
    }
    return -1;
}

} // namespace

String GetFilePath(const String& path)
{
    SInt32 slash = FindLastByte(path, '/');
    if (slash <= 0)
        return String::Empty;
    return path.Left(slash);
}

String GetFileExtension(const String& path)
{
    SInt32 dot = FindLastByte(path, '.');
    if (dot < 0)
        return String::Empty;
    return path.Mid(dot + 1);
}

String ConvertBackslashes(const String& path)
{
    const char* bytes = path.GetText();
    SInt32 length = path.GetLength();
    String result;
    SInt32 runStart = 0;
    for (SInt32 position = 0; position < length; ++position)
    {
        if (bytes[position] != '\\')
            continue;
        result.Append(bytes + runStart, position - runStart);
        result.Append("/", 1);
        runStart = position + 1;
    }
    if (runStart == 0)
        return path;
    result.Append(bytes + runStart, length - runStart);
    return result;
}

String JoinPaths(const String& a, const String& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    Bool aHasSlash = a[a.GetLength() - 1] == '/';
    Bool bHasSlash = b[0] == '/';
    String result(a);
    if (aHasSlash && bHasSlash)
        result.Append(b.GetText() + 1, b.GetLength() - 1);
    else if (aHasSlash || bHasSlash)
        result += b;
    else
    {
        result.Append("/", 1);
        result += b;
    }
    return result;
}

} // namespace Util
} // namespace Vorn
