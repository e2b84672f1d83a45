#include "foundation/file_interface.h"

#include "foundation/configuration.h"
#include "foundation/data.h"
#include "foundation/file.h"
#include "foundation/path.h"

#include <typeinfo>

namespace Vorn {
namespace Platform {

Bool FileInterface::GetFullPath(const String& path, Enums::FileCategory category, String& fullPath)
{
    String basePath;
    if (!GetBasePath(category, basePath))
        return false;
    fullPath = path.IsEmpty() ? basePath : Util::JoinPaths(basePath, path);
    return true;
}

Bool FileInterface::GetFileNames(const String& path, Enums::FileCategory category, Array<String>& names)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    names = System::File::GetFileNames(fullPath);
    return true;
}

Bool FileInterface::GetDirectoryNames(const String& path, Enums::FileCategory category, Array<String>& names)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    names = System::File::GetDirectoryNames(fullPath);
    return true;
}

Bool FileInterface::OpenFile(const String& path, Enums::FileCategory category, Enums::FileAccessMode mode,
                             Bool createFolders, IFile*& file)
{
    String fullPath;
    if (!GetFullPath(path, category, fullPath))
        return false;
    if (createFolders && mode != Enums::FileAccessMode::READ_ONLY) {
        if (!CreateDirectory(Util::GetFilePath(fullPath)))
            return false;
    }
    File* opened = new File(fullPath, mode);
    if (!opened->Open()) {
        delete opened;
        return false;
    }
    file = opened;
    return true;
}

Bool FileInterface::CloseFile(IFile* file)
{
    File* platformFile = dynamic_cast<File*>(file);
    if (platformFile == nullptr)
        return false;
    const Bool wasOpen = platformFile->Close();
    delete platformFile;
    return wasOpen;
}

Bool FileInterface::LoadFile(const String& path, Enums::FileCategory category, ConstData* view)
{
    // Only a plain view: a Data would copy the bytes and could not give the mapping back.
    if (view == nullptr || typeid(*view) != typeid(ConstData))
        return false;
    const void* data = nullptr;
    UInt32 size = 0;
    if (!MapFile(path, category, data, size))
        return false;
    view->Set(data, size);
    return true;
}

Bool FileInterface::UnloadFile(ConstData* view)
{
    if (view == nullptr || !UnmapFile(view->GetData()))
        return false;
    view->Release();
    return true;
}

void DestroyFileInterface(IFileInterface*& fileInterface)
{
    delete fileInterface;
    fileInterface = nullptr;
}

void DestroyConfiguration(IConfiguration*& configuration)
{
    delete configuration;
    configuration = nullptr;
}

} // namespace Platform
} // namespace Vorn
