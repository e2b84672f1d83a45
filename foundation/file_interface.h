// The platform's file-system interface and its portable half. Paths are relative to the base
// folder of a file category; the resource collection loads packages through it and the game
// writes its player data through it. Platform layers derive from Platform::FileInterface and
// add existence tests, folder creation, category folders and file mapping.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class ConstData;
class IConfiguration;
class IFile;

class IFileInterface
{
public:
    virtual Bool FileExists(const String& path, Enums::FileCategory category) = 0;
    virtual Bool DirectoryExists(const String& path, Enums::FileCategory category) = 0;
    // The bare names of a folder's files or sub-folders; false when the category has no folder.
    virtual Bool GetFileNames(const String& path, Enums::FileCategory category, Array<String>& names) = 0;
    virtual Bool GetDirectoryNames(const String& path, Enums::FileCategory category, Array<String>& names) = 0;
    // Opens a file, creating its folder first when createFolders is set and the mode writes;
    // the caller owns the file until CloseFile.
    virtual Bool OpenFile(const String& path, Enums::FileCategory category, Enums::FileAccessMode mode,
                          Bool createFolders, IFile*& file) = 0;
    // Closes and destroys a file from OpenFile; true only when its stream was still open.
    virtual Bool CloseFile(IFile* file) = 0;
    // Maps a file's bytes read-only; they stay valid until UnmapFile.
    virtual Bool MapFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size) = 0;
    // Releases a mapping; false for a pointer that MapFile did not hand out.
    virtual Bool UnmapFile(const void* data) = 0;
    // Points a ConstData view (exactly that type, not a Data) at a mapped file.
    virtual Bool LoadFile(const String& path, Enums::FileCategory category, ConstData* view) = 0;
    // Unmaps a view from LoadFile and empties it; false, leaving it as it is, when unmapping fails.
    virtual Bool UnloadFile(ConstData* view) = 0;
    virtual ~IFileInterface() {}
    // Creates a folder with its missing parents, or finds it present.
    virtual Bool CreateDirectory(const String& fullPath) = 0;
    // The base folder of a category; false for a category that has none.
    virtual Bool GetBasePath(Enums::FileCategory category, String& folder) = 0;
    // Gives a closed file a new name in the same category, replacing a file of that name in one
    // step, once the file's bytes are on the disk where the platform can make sure of that: an
    // interrupted rename leaves the old file or the new one, never a part. False, with both
    // files as they were, when it fails.
    virtual Bool RenameFile(const String& path, const String& newPath, Enums::FileCategory category) = 0;
};

namespace Platform {

// The portable operations over the C runtime and the directory listing; the platform's
// subclass provides FileExists, DirectoryExists, MapFile, UnmapFile, CreateDirectory,
// GetBasePath and RenameFile. Not locked: each object is used from one thread at a time.
class FileInterface : public IFileInterface
{
public:
    // The category's base folder joined with the relative path (the base folder itself for an
    // empty path); false when the category has no base folder.
    Bool GetFullPath(const String& path, Enums::FileCategory category, String& fullPath);

    Bool GetFileNames(const String& path, Enums::FileCategory category, Array<String>& names) override;
    Bool GetDirectoryNames(const String& path, Enums::FileCategory category, Array<String>& names) override;
    Bool OpenFile(const String& path, Enums::FileCategory category, Enums::FileAccessMode mode, Bool createFolders,
                  IFile*& file) override;
    // The file must be a Platform::File; any other gives false and is left alone.
    Bool CloseFile(IFile* file) override;
    // Fails without a log line, like every file operation here: the callers write the message.
    Bool LoadFile(const String& path, Enums::FileCategory category, ConstData* view) override;
    Bool UnloadFile(ConstData* view) override;
};

// Destroy a file interface or a configuration through its destructor and clear the holder; a
// null holder is only cleared. (The device handler's is Output::Factory::DestroyDeviceHandler.)
void DestroyFileInterface(IFileInterface*& fileInterface);
void DestroyConfiguration(IConfiguration*& configuration);

} // namespace Platform
} // namespace Vorn
