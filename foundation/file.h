// Files over the C runtime's streams: the open-file interface that the file interface hands out,
// its stdio implementation, and the directory listings behind the file interface's name lists.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

#include <cstdio>

namespace Vorn {

class ConstData;
class Data;

// An open file, handed out by IFileInterface::OpenFile and given back to its CloseFile.
class IFile
{
public:
    // The position from the start; 0 when closed.
    virtual UInt32 GetPosition() = 0;
    // Seeks from the start; nothing when closed.
    virtual void SetPosition(UInt32 position) = 0;
    // The size in bytes, keeping the position; 0 when closed.
    virtual UInt32 GetSize() = 0;
    // Fills the whole buffer; returns the bytes read.
    virtual UInt32 Read(Data& data) = 0;
    virtual UInt32 Read(void* buffer, UInt32 size) = 0;
    // Writes the whole view; returns the bytes written.
    virtual UInt32 Write(const ConstData& data) = 0;
    virtual UInt32 Write(const void* buffer, UInt32 size) = 0;
    virtual ~IFile() {}
};

namespace System {

// A stdio stream with its path; the directory listings need no object.
class File
{
public:
    explicit File(const String& path);
    // Closes a stream that is still open.
    virtual ~File();

    // Opens the path with the stdio mode of the access mode; false when the open fails or a
    // stream is already open.
    Bool Open(Enums::FileAccessMode mode);
    // False when no stream is open.
    Bool Close();

    Bool IsOpen() const { return mStream != nullptr; }
    const String& GetPath() const { return mPath; }
    FILE* GetStream() const { return mStream; }

    // The bare names of the sub-folders (GetDirectoryNames) or of the other entries
    // (GetFileNames) of a folder, in the order the system lists them, unfiltered: the folders
    // hold the current and parent folder entries where the file system reports them. A folder
    // that cannot be listed gives an empty array.
    static Array<String> GetDirectoryNames(const String& path);
    static Array<String> GetFileNames(const String& path);

    // The stream opened for path with the access mode's stdio mode, or null. READ_AND_WRITE
    // keeps an existing file's bytes and creates a missing file; any unknown mode reads.
    static FILE* OpenStream(const String& path, Enums::FileAccessMode mode);

private:
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    FILE* mStream;
    String mPath;
};

} // namespace System

namespace Platform {

// The file that Platform::FileInterface::OpenFile hands out: a path and access mode, and the
// stream while open. Read and Write are called only on open files.
class File : public IFile
{
public:
    // Constructed closed.
    File(const String& path, Enums::FileAccessMode mode);
    // Closes a stream that is still open (the file interface's CloseFile closes it first).
    ~File() override;

    // False when the open fails (the file stays closed) or the file is already open.
    Bool Open();
    // Closes the stream; false when it was not open.
    Bool Close();

    Bool IsOpen() const { return mStream != nullptr; }
    const String& GetPath() const { return mPath; }
    Enums::FileAccessMode GetAccessMode() const { return mAccessMode; }

    UInt32 GetPosition() override;
    void SetPosition(UInt32 position) override;
    UInt32 GetSize() override;
    UInt32 Read(Data& data) override;
    UInt32 Read(void* buffer, UInt32 size) override;
    UInt32 Write(const ConstData& data) override;
    UInt32 Write(const void* buffer, UInt32 size) override;

private:
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    String mPath;
    Enums::FileAccessMode mAccessMode;
    FILE* mStream;
};

} // namespace Platform
} // namespace Vorn
