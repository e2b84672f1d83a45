#include <windows.h>
#include <shlobj.h>
// The file interface's method, not the ANSI/wide switch.
#undef CreateDirectory

#include "platform/win32/file_interface.h"

#include "foundation/debug.h"
#include "foundation/path.h"

#include <string>

namespace Vorn {
namespace Win32 {
namespace {

// Longest path taken from the module, current and temporary folder queries.
constexpr DWORD kMaxPathLength = 1023;

BOOL CALLBACK AddResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR parameter)
{
    if (!IS_INTRESOURCE(name))
        reinterpret_cast<Index<String>*>(parameter)->Add(String(name).ToLower());
    return TRUE;
}

// A folder from one of the length-returning queries; empty when it failed or was too long.
String AcceptedFolder(DWORD length, const char* buffer)
{
    return length >= 1 && length <= kMaxPathLength ? String(buffer) : String();
}

String GetProgramFolder()
{
    char buffer[kMaxPathLength + 1] = {};
    const String path = AcceptedFolder(GetModuleFileNameA(nullptr, buffer, kMaxPathLength + 1), buffer);
    const SInt32 separator = path.FindLast("\\", 1, path.GetLength() - 1);
    return separator < 0 ? String() : String(path.GetText(), separator);
}

String GetShellFolder(int folder)
{
    char buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, folder | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return String();
    return String(buffer);
}

} // namespace

FileInterface::~FileInterface()
{
    for (SInt32 i = 0; i < mMappedViews.GetCount(); ++i)
        CloseView(mMappedViews.GetValue(i), mMappedViews.GetKey(i));
}

void FileInterface::Init(IConfiguration* configuration, void* module)
{
    mConfiguration = configuration;
    mModule = module;
}

Bool FileInterface::RegisterResources()
{
    if (!EnumResourceNamesA(static_cast<HMODULE>(mModule), MAKEINTRESOURCEA(10), AddResourceName,
                            reinterpret_cast<LONG_PTR>(&mResources))) {
        Debug::Trace("Win32::FileInterface::RegisterResources(): No data resources in app module (error %lu)",
                     GetLastError());
        return false;
    }
    return true;
}

Bool FileInterface::IsResourceRegistered(const String& name) const
{
    return mResources.Find(name.ToLower()) >= 0;
}

Bool FileInterface::HasAttributes(const String& path, Enums::FileCategory category, Bool directory)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    const DWORD attributes = GetFileAttributesA(fullPath.GetText());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == directory;
}

Bool FileInterface::FileExists(const String& path, Enums::FileCategory category)
{
    return HasAttributes(path, category, false);
}

Bool FileInterface::DirectoryExists(const String& path, Enums::FileCategory category)
{
    return HasAttributes(path, category, true);
}

Bool FileInterface::MapFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size)
{
    const String name = path.ToLower();
    if (category == Enums::FileCategory::RESOURCE && mResources.Find(name) >= 0)
        return MapResource(name, data, size);
    return MapDiskFile(path, category, data, size);
}

Bool FileInterface::MapResource(const String& name, const void*& data, UInt32& size)
{
    HMODULE module = static_cast<HMODULE>(mModule);
    HRSRC found = FindResourceA(module, name.GetText(), MAKEINTRESOURCEA(10));
    if (found == nullptr) {
        Debug::Trace("Win32::FileInterface::MapFile(): Failed to find registered resource '%s' in app module",
                     name.GetText());
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) {
        Debug::Trace("Win32::FileInterface::MapFile(): Failed to load registered resource '%s' from app module",
                     name.GetText());
        return false;
    }
    const void* locked = LockResource(loaded);
    if (locked == nullptr) {
        Debug::Trace("Win32::FileInterface::MapFile(): Failed to get data pointer to registered resource '%s' "
                     "from app module",
                     name.GetText());
        return false;
    }
    data = locked;
    size = SizeofResource(module, found);
    std::lock_guard<std::mutex> lock(mMappedLock);
    mMappedViews.Add(locked, MappedView());
    return true;
}

Bool FileInterface::MapDiskFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    HANDLE file = CreateFileA(fullPath.GetText(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_READONLY | FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // Sizes are 32-bit: a larger file is refused rather than handed out cut short.
    LARGE_INTEGER fileSize = {};
    if (!GetFileSizeEx(file, &fileSize) || fileSize.QuadPart > LONGLONG(0xFFFFFFFFu)) {
        CloseHandle(file);
        return false;
    }
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) {
        CloseHandle(file);
        return false;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(mapping);
        CloseHandle(file);
        return false;
    }
    data = view;
    size = UInt32(fileSize.QuadPart);
    MappedView record;
    record.mFile = file;
    record.mMapping = mapping;
    std::lock_guard<std::mutex> lock(mMappedLock);
    mMappedViews.Add(view, record);
    return true;
}

Bool FileInterface::UnmapFile(const void* data)
{
    MappedView view;
    {
        std::lock_guard<std::mutex> lock(mMappedLock);
        const SInt32 position = mMappedViews.Find(data);
        if (position < 0)
            return false;
        view = mMappedViews.GetValue(position);
        mMappedViews.RemoveAt(position);
    }
    CloseView(view, data);
    return true;
}

void FileInterface::CloseView(const MappedView& view, const void* data)
{
    if (view.mMapping == nullptr)
        return;
    UnmapViewOfFile(data);
    CloseHandle(view.mMapping);
    CloseHandle(view.mFile);
}

UInt32 FileInterface::GetNumberOfMappedViews()
{
    std::lock_guard<std::mutex> lock(mMappedLock);
    return UInt32(mMappedViews.GetCount());
}

Bool FileInterface::CreateDirectory(const String& fullPath)
{
    // The shell wants backslashes and a full path.
    std::string path(fullPath.GetText(), size_t(fullPath.GetLength()));
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    const int result = SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

Bool FileInterface::RenameFile(const String& path, const String& newPath, Enums::FileCategory category)
{
    String from;
    String to;
    if (!GetFullPath(path, category, from) || !GetFullPath(newPath, category, to))
        return false;
    // The paths are the ANSI texts of the shell's folders, as every other call here takes them.
    // The system may keep a closed file's bytes in its cache past the rename: a power cut would
    // then leave a renamed file without them, so they go to the disk first.
    HANDLE file = CreateFileA(from.GetText(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const Bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed &&
           MoveFileExA(from.GetText(), to.GetText(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

Bool FileInterface::GetBasePath(Enums::FileCategory category, String& folder)
{
    folder = String();
    char buffer[kMaxPathLength + 1] = {};
    switch (category) {
    case Enums::FileCategory::ROOT: folder = "\\"; break;
    case Enums::FileCategory::APPLICATION: folder = GetProgramFolder(); break;
    case Enums::FileCategory::CURRENT:
        folder = AcceptedFolder(GetCurrentDirectoryA(kMaxPathLength + 1, buffer), buffer);
        break;
    case Enums::FileCategory::RESOURCE: {
        const String program = GetProgramFolder();
        if (!program.IsEmpty())
            folder = Util::JoinPaths(program, "Resources");
        break;
    }
    case Enums::FileCategory::SHARED: folder = GetShellFolder(CSIDL_PERSONAL); break;
    case Enums::FileCategory::PRIVATE: folder = GetShellFolder(CSIDL_APPDATA); break;
    case Enums::FileCategory::CACHE: folder = GetShellFolder(CSIDL_LOCAL_APPDATA); break;
    case Enums::FileCategory::TEMPORARY:
        folder = AcceptedFolder(GetTempPathA(kMaxPathLength + 1, buffer), buffer);
        break;
    }
    if (folder.IsEmpty())
        return false;
    folder = Util::ConvertBackslashes(folder);
    const Bool perApplication = category == Enums::FileCategory::PRIVATE ||
                                category == Enums::FileCategory::CACHE ||
                                category == Enums::FileCategory::TEMPORARY;
    if (perApplication && mConfiguration != nullptr && !mConfiguration->GetApplicationName().IsEmpty())
        folder = Util::JoinPaths(folder, mConfiguration->GetApplicationName());
    return true;
}

} // namespace Win32
} // namespace Vorn
