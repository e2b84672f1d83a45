// The content build's host tool: reads one XML package folder ("<folder>/package.xml" and the
// files it names) with the engine's own readers and writes the native package that the game
// embeds. The written bytes are read back as a native package before the tool reports success,
// so a package that would not load never reaches the program.
//
//   vorn_serialise <package folder> <output file>
//
// Exit code 0 on success; otherwise the engine's log lines name what failed.

#include <cstdio>
#include <memory>

#include "core/configuration.h"
#include "foundation/data.h"
#include "foundation/debug.h"
#include "foundation/folder_file_interface.h"
#include "foundation/string.h"
#include "resource/native_package.h"
#include "resource/package.h"
#include "resource/xml_package.h"

namespace {

using namespace Vorn;

// Every variant is kept: the program picks languages and device classes when it runs.
constexpr Bool kMatchingOnly = false;
constexpr Bool kFirstVariantOnly = false;

Bool WriteWholeFile(const char* path, const Data& data)
{
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        Debug::Trace("vorn_serialise: Failed to create '%s'", path);
        return false;
    }
    const Bool written = std::fwrite(data.GetData(), 1, data.GetSize(), file) == data.GetSize();
    const Bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        Debug::Trace("vorn_serialise: Failed to write '%s'", path);
    return written && closed;
}

int Serialise(const char* folder, const char* outputPath)
{
    Core::Configuration configuration;
    Platform::FolderFileInterface files{String(folder)};
    const void* description = nullptr;
    UInt32 descriptionSize = 0;
    if (!files.MapFile(String("package.xml"), Enums::FileCategory::RESOURCE, description, descriptionSize)) {
        Debug::Trace("vorn_serialise: No package description '%s/package.xml'", folder);
        return 1;
    }
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::Package> package(Resource::XmlPackage::Create(
        &configuration, &files, String(), description, descriptionSize, &releaseData, &failed));
    files.UnmapFile(description);
    if (package == nullptr) {
        Debug::Trace("vorn_serialise: Package '%s' does not load", folder);
        return 1;
    }
    Data native;
    if (!package->Serialize(native, kMatchingOnly, kFirstVariantOnly)) {
        Debug::Trace("vorn_serialise: Package '%s' has no native form", folder);
        return 1;
    }

    std::unique_ptr<Resource::Package> check(Resource::NativePackage::Create(
        &configuration, &files, String(), native.GetData(), native.GetSize(), &releaseData, &failed));
    if (check == nullptr || check->GetId() != package->GetId() ||
        check->GetNumberOfObjects() != package->GetNumberOfObjects() ||
        check->GetNumberOfTexts() != package->GetNumberOfTexts() ||
        check->GetNumberOfInstances() != package->GetNumberOfInstances()) {
        Debug::Trace("vorn_serialise: Native form of package '%s' does not read back", folder);
        return 1;
    }
    return WriteWholeFile(outputPath, native) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorn_serialise <package folder> <output file>\n");
        return 2;
    }
    return Serialise(argv[1], argv[2]);
}
