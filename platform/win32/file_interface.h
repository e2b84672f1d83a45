// The engine's file interface on Windows: category folders from the shell, files mapped into
// memory, and the program's own string-named RCDATA resources served as RESOURCE files, which is
// how the data packages and the level file are read without any file on disk.
#pragma once

#include <mutex>

#include "foundation/configuration.h"
#include "foundation/file_interface.h"
#include "foundation/map.h"
#include "foundation/string.h"

namespace Vorn {
namespace Win32 {

class FileInterface : public Platform::FileInterface
{
public:
    FileInterface() = default;
    // Forgets the views still mapped and closes their handles.
    ~FileInterface() override;

    // The configuration gives the application name of the per-user folders; module is the
    // program (or library) whose resources are served. Either may be null.
    void Init(IConfiguration* configuration, void* module);

    // Registers every string-named RCDATA resource of the module under its lower-case name;
    // numbered resources are skipped. False, with one line, when the module has none or cannot
    // be listed.
    Bool RegisterResources();
    Bool IsResourceRegistered(const String& name) const;
    UInt32 GetNumberOfResources() const { return UInt32(mResources.GetCount()); }

    Bool FileExists(const String& path, Enums::FileCategory category) override;
    Bool DirectoryExists(const String& path, Enums::FileCategory category) override;
    // A registered RESOURCE name maps the resource's bytes; anything else maps the file read-only.
    // Safe to call from several threads at once.
    Bool MapFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size) override;
    Bool UnmapFile(const void* data) override;
    Bool CreateDirectory(const String& fullPath) override;
    Bool GetBasePath(Enums::FileCategory category, String& folder) override;
    // Flushes the file's bytes to the disk, then moves it over the target, written through.
    Bool RenameFile(const String& path, const String& newPath, Enums::FileCategory category) override;

    // The number of views mapped and not yet unmapped.
    UInt32 GetNumberOfMappedViews();

private:
    FileInterface(const FileInterface&) = delete;
    FileInterface& operator=(const FileInterface&) = delete;

    // A file view keeps its file and mapping handles; a resource has neither.
    struct MappedView
    {
        void* mFile = nullptr;
        void* mMapping = nullptr;
    };

    Bool MapResource(const String& name, const void*& data, UInt32& size);
    Bool MapDiskFile(const String& path, Enums::FileCategory category, const void*& data, UInt32& size);
    Bool HasAttributes(const String& path, Enums::FileCategory category, Bool directory);
    static void CloseView(const MappedView& view, const void* data);

    void* mModule = nullptr;
    IConfiguration* mConfiguration = nullptr;
    // The loader thread maps packages while the logic thread reads player data.
    std::mutex mMappedLock;
    Map<const void*, MappedView> mMappedViews;
    Index<String> mResources;
};

} // namespace Win32
} // namespace Vorn
