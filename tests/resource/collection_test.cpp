#include "resource/collection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/folder_file_interface.h"
#include "resource/graph.h"
#include "resource/native_package.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/graph_fixture.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace {

using Resource::Collection;
using Resource::IPackage;

// A native package holding one text "hello" whose value names the file, so a test sees which
// candidate was loaded.
std::string MakeTextPackage(const char* packageId, const char* value, const UInt32* conditions = nullptr,
                            UInt32 conditionCount = 0)
{
    Resource::NativePackageWriter writer{String(packageId)};
    EXPECT_TRUE(writer.AddText(String("hello"), String(value), conditions, conditionCount));
    Data bytes;
    EXPECT_TRUE(writer.GetData(bytes));
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}

// A native package with one native graph "logo", which the package keeps pointing into.
std::string MakeGraphPackage(const char* packageId)
{
    const Data graph = Testing::MakeNativeGraph(R"(<Graph name="logo"/>)");
    Resource::NativePackageWriter writer{String(packageId)};
    EXPECT_TRUE(writer.AddResource(String("logo"), graph.GetData(), graph.GetSize(), nullptr, 0));
    Data bytes;
    EXPECT_TRUE(writer.GetData(bytes));
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}

class CollectionTest : public ::testing::Test
{
protected:
    CollectionTest() : mFiles(String(mFolder.Get().c_str())), mCollection(&mConfiguration, &mFiles)
    {
        EXPECT_TRUE(mCollection.Init());
    }

    // Creates a package from the file name and captures the log.
    IPackage* Load(const char* fileName)
    {
        ::testing::internal::CaptureStderr();
        IPackage* package = mCollection.CreatePackageFromFile(String(fileName));
        mLog = ::testing::internal::GetCapturedStderr();
        return package;
    }
    const char* Text(const char* fullId)
    {
        ::testing::internal::CaptureStderr();
        const char* text = mCollection.GetText(String(fullId));
        mLog = ::testing::internal::GetCapturedStderr();
        return text;
    }

    Testing::TempFolder mFolder;
    Testing::FakeConfiguration mConfiguration;
    Platform::FolderFileInterface mFiles;
    Collection mCollection;
    std::string mLog;
};

TEST_F(CollectionTest, ResolvesPackageFileNamesInKindOrder)
{
    struct Case
    {
        const char* name;
        std::vector<const char*> files; // every file holds a package "p" whose text names the file
        const char* expected;           // the file that was loaded
    };
    const Case cases[] = {
        {"menu", {"menu.vornpkg", "menu.jet", "menu.vornres/package.xml"}, "menu.vornpkg"},
        {"menu", {"menu.jet", "menu.vornres/package.xml", "menu.vornres/package.def"}, "menu.jet"},
        {"menu", {"menu.vornres/package.xml", "menu.vornres/package.def"}, "menu.vornres/package.xml"},
        {"menu", {"menu.vornres/package.def"}, "menu.vornres/package.def"},
        // A registered extension is resolved as it stands first.
        {"menu.jet", {"menu.jet", "menu.jet.vornpkg"}, "menu.jet"},
        {"ui.vornres", {"ui.vornres/package.xml", "ui.vornres.vornpkg"}, "ui.vornres/package.xml"},
        {"data/main.vornpkg", {"data/main.vornpkg"}, "data/main.vornpkg"},
        // Unregistered extensions, and a kind spelt in other case, are tried with every kind appended.
        {"x.bin", {"x.bin.jet", "x.bin.vornres/package.def"}, "x.bin.jet"},
        {"main.VORNPKG", {"main.VORNPKG", "main.VORNPKG.vornres/package.xml"}, "main.VORNPKG.vornres/package.xml"},
    };
    for (const Case& c : cases) {
        Testing::TempFolder folder;
        Platform::FolderFileInterface files{String(folder.Get().c_str())};
        Collection collection(&mConfiguration, &files);
        ASSERT_TRUE(collection.Init());
        for (const char* file : c.files) {
            const std::string name(file);
            if (name.size() > 4 && (name.ends_with(".xml") || name.ends_with(".def")))
                folder.WriteFile(name, std::string("<Package id=\"p\"><Text id=\"hello\" value=\"") + file +
                                           "\"/></Package>");
            else
                folder.WriteFile(name, MakeTextPackage("p", file));
        }
        ::testing::internal::CaptureStderr();
        IPackage* package = collection.CreatePackageFromFile(String(c.name));
        const std::string log = ::testing::internal::GetCapturedStderr();
        ASSERT_NE(package, nullptr) << c.name << log;
        EXPECT_STREQ(collection.GetText(String("p:hello")), c.expected) << c.name;
        // Nothing in these packages points into the file.
        EXPECT_EQ(files.GetNumberOfMappedFiles(), 0) << c.name;
    }
}

TEST_F(CollectionTest, XmlPackageResolvesResourceFilesInItsFolder)
{
    mFolder.WriteFile("data/ui.vornres/package.xml",
                      R"(<Package id="ui"><Resource id="logo" fileName="images/logo.xml"/></Package>)");
    mFolder.WriteFile("data/ui.vornres/images/logo.xml", R"(<Graph name="logo"/>)");
    ASSERT_NE(Load("data/ui"), nullptr) << mLog;
    EXPECT_NE(mCollection.GetGraph(String("ui:logo")), nullptr);
}

// A bare name tries every package kind's file, but only the collection writes a line.
TEST_F(CollectionTest, FailsForAFileThatCannotBeFound)
{
    EXPECT_EQ(Load("nothing"), nullptr);
    EXPECT_EQ(mLog, "Resource::Collection::CreatePackageFromFile(): Failed to open package file 'nothing'\n");
}

TEST_F(CollectionTest, RefusedOrUnknownPackageReleasesItsFile)
{
    struct Case
    {
        const char* file;
        std::string bytes;
        const char* log;
    };
    std::string wrongVersion = MakeTextPackage("p", "v");
    wrongVersion[20] = '9'; // HEAD payload starts after the 12-byte file header and the 8-byte chunk header
    const Case cases[] = {
        {"a.vornpkg", "<Graph/>",
         "Resource::Collection::CreatePackageFromMemory(): Unknown package type for base path ''\n"
         "Resource::Collection::CreatePackageFromFile(): Failed creating package from file 'a.vornpkg'\n"},
        // The native creator refuses it, so the XML creator is never asked.
        {"dir/b.vornpkg", wrongVersion,
         "Resource::NativePackage::Create(): File format version mismatch\n"
         "Resource::Collection::CreatePackageFromMemory(): Failed creating package from base path 'dir'\n"
         "Resource::Collection::CreatePackageFromFile(): Failed creating package from file 'dir/b.vornpkg'\n"},
    };
    for (const Case& c : cases) {
        mFolder.WriteFile(c.file, c.bytes);
        EXPECT_EQ(Load(c.file), nullptr) << c.file;
        EXPECT_EQ(mLog, c.log) << c.file;
        EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0) << c.file;
    }
}

TEST_F(CollectionTest, SecondLoadOfOnePackageFailsAndTheFirstStaysUsable)
{
    mFolder.WriteFile("menu.vornpkg", MakeTextPackage("menu", "first"));
    IPackage* first = Load("menu");
    ASSERT_NE(first, nullptr) << mLog;
    EXPECT_EQ(Load("menu"), nullptr);
    EXPECT_EQ(mLog, "Resource::Collection::CreatePackageFromMemory(): Package 'menu' already registered\n"
                    "Resource::Collection::CreatePackageFromFile(): Failed creating package from file 'menu.vornpkg'\n");
    EXPECT_EQ(mCollection.GetPackage(String("menu")), first);
    EXPECT_STREQ(Text("menu:hello"), "first");
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

TEST_F(CollectionTest, PackagesThatPointIntoTheirFileKeepItUntilDestroyed)
{
    const UInt32 english = 0x40000001;
    mFolder.WriteFile("graphs.vornpkg", MakeGraphPackage("graphs"));
    mFolder.WriteFile("texts.vornpkg", MakeTextPackage("texts", "v", &english, 1));
    mFolder.WriteFile("plain.vornpkg", MakeTextPackage("plain", "v"));

    IPackage* plain = Load("plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
    IPackage* graphs = Load("graphs");
    ASSERT_NE(graphs, nullptr);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);
    IPackage* texts = Load("texts");
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 2);

    EXPECT_TRUE(mCollection.DestroyPackage(graphs));
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);
    EXPECT_EQ(mCollection.GetGraph(String("graphs:logo")), nullptr);
    EXPECT_TRUE(mCollection.DestroyAllPackages());
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
    EXPECT_EQ(mCollection.GetPackage(String("plain")), nullptr);
}

TEST_F(CollectionTest, DestroyingAPackageTheCollectionDoesNotHoldFails)
{
    mFolder.WriteFile("menu.vornpkg", MakeTextPackage("menu", "v"));
    IPackage* package = Load("menu");
    ASSERT_NE(package, nullptr);

    // Another package of the same id, never registered, must not take the registered one down.
    const std::string bytes = MakeTextPackage("menu", "w");
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::Package> stranger(Resource::NativePackage::Create(
        &mConfiguration, &mFiles, String(), bytes.data(), UInt32(bytes.size()), &releaseData, &failed));
    ASSERT_NE(stranger, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mCollection.DestroyPackage(stranger.get()));
    EXPECT_FALSE(mCollection.DestroyPackage(nullptr));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::Collection::DestroyPackage(): Package 'menu' not found\n");
    EXPECT_STREQ(Text("menu:hello"), "v");
    EXPECT_TRUE(mCollection.DestroyPackage(package));
}

TEST_F(CollectionTest, QueriesSplitPackageAndResourceIds)
{
    const UInt32 german = 0x40000002;
    Resource::NativePackageWriter writer{String("menu")};
    ASSERT_TRUE(writer.AddText(String("hello"), String("Hallo"), &german, 1));
    ASSERT_TRUE(writer.AddText(String("hello"), String("Hello"), nullptr, 0));
    Data bytes;
    ASSERT_TRUE(writer.GetData(bytes));
    Bool releaseData = true;
    ASSERT_NE(mCollection.CreatePackageFromMemory(String(), bytes, &releaseData), nullptr);
    EXPECT_FALSE(releaseData);

    mConfiguration.SetLanguage(Enums::Language::GERMAN);
    EXPECT_STREQ(Text("menu:hello"), "Hallo");
    mConfiguration.SetLanguage(Enums::Language::ENGLISH);
    EXPECT_STREQ(Text("menu:hello"), "Hello");
    EXPECT_EQ(mLog, "");

    for (const char* id : {"menu", "a:b:c", ""}) {
        EXPECT_EQ(Text(id), nullptr) << id;
        EXPECT_EQ(mLog, "Resource::Collection::GetPackageAndResourceId(): Invalid resource ID \"" + std::string(id) +
                            "\", must be \"<Package ID>:<Resource ID>\"\n");
    }
    for (const char* id : {"other:hello", "menu:absent"}) {
        EXPECT_EQ(Text(id), nullptr) << id;
        EXPECT_EQ(mLog, "") << id;
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mCollection.GetGraph(String("menu:hello")), nullptr);
    EXPECT_EQ(mCollection.GetImage(String("menu:hello")), nullptr);
    EXPECT_EQ(mCollection.GetAnimation(String("menu")), nullptr);
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(CollectionTest, RegistrationTablesRefuseDuplicatesAndUnknowns)
{
    EXPECT_FALSE(mCollection.AddPackageCreator(&Resource::NativePackage::Create));
    EXPECT_FALSE(mCollection.RemovePackageKind(String("zip")));
    EXPECT_TRUE(mCollection.AddPackageKind(String("zip"), String("")));
    EXPECT_TRUE(mCollection.RemovePackageKind(String("zip")));

    // Without creators every package is of an unknown type.
    ASSERT_TRUE(mCollection.DeInit());
    EXPECT_FALSE(mCollection.RemovePackageCreator(&Resource::NativePackage::Create));
    EXPECT_FALSE(mCollection.RemovePackageKind(String("vornpkg")));
    const std::string bytes = MakeTextPackage("p", "v");
    Bool releaseData = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mCollection.CreatePackageFromMemory(String("base"), ConstData(bytes.data(), UInt32(bytes.size())),
                                                  &releaseData),
              nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::Collection::CreatePackageFromMemory(): Unknown package type for base path 'base'\n");
}

TEST_F(CollectionTest, QueriesRunWhilePackagesComeAndGo)
{
    mFolder.WriteFile("menu.vornpkg", MakeGraphPackage("menu"));
    std::atomic<Bool> stop(false);
    std::thread reader([&] {
        while (!stop.load()) {
            mCollection.GetGraph(String("menu:logo"));
        }
    });
    ::testing::internal::CaptureStderr();
    for (SInt32 i = 0; i < 50; ++i) {
        IPackage* package = mCollection.CreatePackageFromFile(String("menu"));
        if (package == nullptr || !mCollection.DestroyPackage(package)) {
            ADD_FAILURE() << "package " << i;
            break;
        }
    }
    stop.store(true);
    reader.join();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

} // namespace
} // namespace Vorn
