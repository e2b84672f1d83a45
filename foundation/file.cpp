#include "foundation/file.h"

#include "foundation/data.h"

#include "foundation/path.h"

#include <cerrno>
#include <cstdint>

#ifdef _WIN32
#include <io.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace Vorn {

namespace {

// The stdio mode of each access mode. A mode that reads and writes in place opens an existing
// file without emptying it; createMissing makes it create a missing file first.
struct AccessModeRow
{
    Enums::FileAccessMode mode;
    const char* stdioMode;
    Bool createMissing;
};

const AccessModeRow kAccessModes[] = {
    {Enums::FileAccessMode::READ_ONLY, "rb", false},
    {Enums::FileAccessMode::WRITE_ONLY, "wb", false},
    {Enums::FileAccessMode::READ_AND_WRITE, "rb+", true},
    {Enums::FileAccessMode::APPEND_ONLY, "ab", false},
    {Enums::FileAccessMode::READ_AND_APPEND, "ab+", false},
};

// Any other value reads.
const AccessModeRow kUnknownAccessMode = {Enums::FileAccessMode::READ_ONLY, "rb", false};

const AccessModeRow& FindAccessMode(Enums::FileAccessMode mode)
{
    for (const AccessModeRow& row : kAccessModes) {
        if (row.mode == mode)
            return row;
    }
    return kUnknownAccessMode;
}

// Lists the entries of a folder whose directory test equals wantDirectories, as the runtime's
// own listing reports them: the current and parent folder entries come with the folders.
Array<String> ListFolder(const String& path, Bool wantDirectories)
{
    Array<String> names;
    // An empty path names no folder (it would list the current one).
    if (path.IsEmpty())
        return names;
#ifdef _WIN32
    const String pattern = Util::JoinPaths(path, String("*"));
    _finddata_t entry;
    const intptr_t search = _findfirst(pattern.GetText(), &entry);
    if (search == -1)
        return names;
    do {
        if (((entry.attrib & _A_SUBDIR) != 0) == wantDirectories)
            names.Add(String(entry.name));
    } while (_findnext(search, &entry) == 0);
    _findclose(search);
#else
    DIR* folder = opendir(path.GetText());
    if (folder == nullptr)
        return names;
    while (const dirent* entry = readdir(folder)) {
        // Links count as what they point to, as the Windows listing sees through them.
        struct stat status;
        const String fullPath = Util::JoinPaths(path, String(entry->d_name));
        const Bool isDirectory = stat(fullPath.GetText(), &status) == 0 && S_ISDIR(status.st_mode);
        if (isDirectory == wantDirectories)
            names.Add(String(entry->d_name));
    }
    closedir(folder);
#endif
    return names;
}

} // namespace

namespace System {

File::File(const String& path) : mStream(nullptr), mPath(path)
{
}

File::~File()
{
    Close();
}

Bool File::Open(Enums::FileAccessMode mode)
{
    if (mStream != nullptr)
        return false;
    mStream = OpenStream(mPath, mode);
    return mStream != nullptr;
}

Bool File::Close()
{
    if (mStream == nullptr)
        return false;
    std::fclose(mStream);
    mStream = nullptr;
    return true;
}

Array<String> File::GetDirectoryNames(const String& path)
{
    return ListFolder(path, true);
}

Array<String> File::GetFileNames(const String& path)
{
    return ListFolder(path, false);
}

FILE* File::OpenStream(const String& path, Enums::FileAccessMode mode)
{
    const AccessModeRow& row = FindAccessMode(mode);
    errno = 0;
    FILE* stream = std::fopen(path.GetText(), row.stdioMode);
    if (stream == nullptr && row.createMissing && errno == ENOENT) {
        // Appending creates a missing file and never empties one that appeared meanwhile.
        FILE* created = std::fopen(path.GetText(), "ab");
        if (created == nullptr)
            return nullptr;
        std::fclose(created);
        stream = std::fopen(path.GetText(), row.stdioMode);
    }
    return stream;
}

} // namespace System

namespace Platform {

File::File(const String& path, Enums::FileAccessMode mode) : mPath(path), mAccessMode(mode), mStream(nullptr)
{
}

File::~File()
{
    Close();
}

Bool File::Open()
{
    if (mStream != nullptr)
        return false;
    mStream = System::File::OpenStream(mPath, mAccessMode);
    return mStream != nullptr;
}

Bool File::Close()
{
    if (mStream == nullptr)
        return false;
    std::fclose(mStream);
    mStream = nullptr;
    return true;
}

UInt32 File::GetPosition()
{
    if (mStream == nullptr)
        return 0;
    const long position = std::ftell(mStream);
    return position > 0 ? UInt32(position) : 0;
}

void File::SetPosition(UInt32 position)
{
    if (mStream == nullptr)
        return;
    std::fseek(mStream, long(position), SEEK_SET);
}

UInt32 File::GetSize()
{
    if (mStream == nullptr)
        return 0;
    const long position = std::ftell(mStream);
    std::fseek(mStream, 0, SEEK_END);
    const long size = std::ftell(mStream);
    std::fseek(mStream, position > 0 ? position : 0, SEEK_SET);
    return size > 0 ? UInt32(size) : 0;
}

UInt32 File::Read(Data& data)
{
    return Read(data.GetBuffer(), data.GetSize());
}

UInt32 File::Read(void* buffer, UInt32 size)
{
    if (mStream == nullptr || buffer == nullptr || size == 0)
        return 0;
    return UInt32(std::fread(buffer, 1, size, mStream));
}

UInt32 File::Write(const ConstData& data)
{
    return Write(data.GetData(), data.GetSize());
}

UInt32 File::Write(const void* buffer, UInt32 size)
{
    if (mStream == nullptr || buffer == nullptr || size == 0)
        return 0;
    return UInt32(std::fwrite(buffer, 1, size, mStream));
}

} // namespace Platform
} // namespace Vorn
