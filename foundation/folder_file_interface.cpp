#include "foundation/folder_file_interface.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace Vorn {
namespace Platform {

namespace {

Bool IsKnownCategory(Enums::FileCategory category)
{
    return UInt32(category) < FolderFileInterface::NumberOfCategories;
}

// Reads a whole file into a new block (at least one byte long, so that even an empty file has
// a pointer of its own); null when it cannot be read.
UInt8* ReadWholeFile(const String& fullPath, UInt32& size)
{
    FILE* stream = std::fopen(fullPath.GetText(), "rb");
    if (stream == nullptr)
        return nullptr;
    UInt8* block = nullptr;
    long length = -1;
    if (std::fseek(stream, 0, SEEK_END) == 0)
        length = std::ftell(stream);
    if (length >= 0 && UInt64(length) <= 0xFFFFFFFFu && std::fseek(stream, 0, SEEK_SET) == 0) {
        block = new UInt8[length > 0 ? size_t(length) : 1];
        if (std::fread(block, 1, size_t(length), stream) != size_t(length)) {
            delete[] block;
            block = nullptr;
        } else {
            size = UInt32(length);
        }
    }
    std::fclose(stream);
    return block;
}

} // namespace

FolderFileInterface::FolderFileInterface(const String& rootFolder)
{
    for (String& basePath : mBasePaths)
        basePath = rootFolder;
}

FolderFileInterface::~FolderFileInterface()
{
    for (UInt8* block : mMappedFiles)
        delete[] block;
}

Bool FolderFileInterface::SetBasePath(Enums::FileCategory category, const String& folder)
{
    if (!IsKnownCategory(category))
        return false;
    mBasePaths[UInt32(category)] = folder;
    return true;
}

Bool FolderFileInterface::FileExists(const String& path, Enums::FileCategory category)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fullPath.GetText(), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

Bool FolderFileInterface::DirectoryExists(const String& path, Enums::FileCategory category)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    std::error_code error;
    return std::filesystem::is_directory(fullPath.GetText(), error);
}

Bool FolderFileInterface::MapFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    UInt32 length = 0;
    UInt8* block = ReadWholeFile(fullPath, length);
    if (block == nullptr)
        return false;
    {
        std::lock_guard<std::mutex> lock(mMappedLock);
        mMappedFiles.Add(block);
    }
    data = block;
    size = length;
    return true;
}

Bool FolderFileInterface::UnmapFile(const void* data)
{
    if (data == nullptr)
        return false;
    UInt8* block = nullptr;
    {
        std::lock_guard<std::mutex> lock(mMappedLock);
        for (SInt32 i = 0; i < mMappedFiles.GetCount(); ++i) {
            if (mMappedFiles[i] == data) {
                block = mMappedFiles[i];
                mMappedFiles.RemoveAt(i);
                break;
            }
        }
    }
    if (block == nullptr)
        return false;
    delete[] block;
    return true;
}

Bool FolderFileInterface::CreateDirectory(const String& fullPath)
{
    // The folder part of a file at the top of a path is empty: the folder that is already there.
    if (fullPath.IsEmpty())
        return true;
    std::error_code error;
    std::filesystem::create_directories(fullPath.GetText(), error);
    return std::filesystem::is_directory(fullPath.GetText(), error);
}

Bool FolderFileInterface::GetBasePath(Enums::FileCategory category, String& folder)
{
    folder.Clear();
    if (!IsKnownCategory(category) || mBasePaths[UInt32(category)].IsEmpty())
        return false;
    folder = mBasePaths[UInt32(category)];
    return true;
}

Bool FolderFileInterface::RenameFile(const String& path, const String& newPath, Enums::FileCategory category)
{
    String from;
    String to;
    if (!GetFullPath(path, category, from) || !GetFullPath(newPath, category, to))
        return false;
    std::error_code error;
    std::filesystem::rename(from.GetText(), to.GetText(), error);
    return !error;
}

SInt32 FolderFileInterface::GetNumberOfMappedFiles()
{
    std::lock_guard<std::mutex> lock(mMappedLock);
    return mMappedFiles.GetCount();
}

} // namespace Platform
} // namespace Vorn
