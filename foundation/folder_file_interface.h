// A file interface over ordinary folders, for the native build and for tests: every file
// category has a base folder on disk, and mapping a file reads it into memory. The Windows
// program uses the platform layer's own file interface instead.
#pragma once

#include "foundation/array.h"
#include "foundation/file_interface.h"
#include "foundation/string.h"
#include "foundation/types.h"

#include <mutex>

namespace Vorn {
namespace Platform {

class FolderFileInterface : public FileInterface
{
public:
    static constexpr UInt32 NumberOfCategories = 8;

    // Every category starts with rootFolder as its base folder.
    explicit FolderFileInterface(const String& rootFolder);
    // Frees the files that are still mapped.
    ~FolderFileInterface() override;

    // Gives one category a base folder of its own; an empty folder leaves the category without
    // one. False for a category outside the table.
    Bool SetBasePath(Enums::FileCategory category, const String& folder);

    Bool FileExists(const String& path, Enums::FileCategory category) override;
    Bool DirectoryExists(const String& path, Enums::FileCategory category) override;
    // Reads the whole file into a block of its own; no message on failure (LoadFile logs).
    Bool MapFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size) override;
    Bool UnmapFile(const void* data) override;
    Bool CreateDirectory(const String& fullPath) override;
    // False for a category outside the table or without a folder.
    Bool GetBasePath(Enums::FileCategory category, String& folder) override;
    // The file system's own rename, which replaces the target in one step; the bytes are left to
    // the system's cache (the folders serve tests and tools, not players' files).
    Bool RenameFile(const String& path, const String& newPath, Enums::FileCategory category) override;

    // The number of files mapped and not yet unmapped.
    SInt32 GetNumberOfMappedFiles();

private:
    String mBasePaths[NumberOfCategories];
    // Blocks handed out by MapFile; the loader and logic threads may map at the same time.
    std::mutex mMappedLock;
    Array<UInt8*> mMappedFiles;
};

} // namespace Platform
} // namespace Vorn
