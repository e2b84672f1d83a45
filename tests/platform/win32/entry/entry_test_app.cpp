// The application of the entry test: the program entry runs it as it runs the game. It writes a
// package with one camera into the program's resource folder and has its processor print, one
// fact a line, what the driver script checks: "window <width> <height> <screen width> <screen
// height> <title>" (again whenever the client changes), "clear r g b a" (the centre pixel of a screenshot of the first frames),
// "deinitapp steps <n> frames <n>", "window gone" and "app destroyed". VORN_ENTRY_MODE chooses:
// unset, the app quits once it printed the pixel; "stay", it runs until closed; "fail", its start
// fails (a start-up package that does not exist); "loadfail", once it printed the pixel it asks
// for a package whose graph hangs under a node that does not exist, whose failed load ends the
// program.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/app.h"
#include "core/loader.h"
#include "foundation/configuration.h"
#include "logic/device_handler.h"
#include "output/device_handler.h"
#include "output/screenshot_control.h"
#include "resource/display_surface.h"
#include "resource/image.h"
#include "tests/support/processor_recorder.h"

namespace Vorn {
namespace {

// The camera's clear colour: 0.2, 0.4, 0.6 is 51, 102, 153.
const char* const kGraph =
    "<Graph><Namespace><View><OrthographicCamera id='camera' unitSizeX='1' backgroundColor='0.2,0.4,0.6,1'/></View></Namespace></Graph>";

template <class... Arguments>
void Print(const char* format, Arguments... arguments)
{
    std::printf(format, arguments...);
    std::printf("\n");
    std::fflush(stdout);
}

std::string Mode()
{
    const char* mode = std::getenv("VORN_ENTRY_MODE");
    return mode != nullptr ? mode : "";
}

// Writes the package into the folder the file interface serves resources from.
void WritePackage(const std::string& name, const std::string& parent = "")
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program);
    folder = folder.substr(0, folder.find_last_of("\\/")) + "\\Resources\\" + name;
    CreateDirectoryA(folder.substr(0, folder.find_last_of('\\')).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::ofstream(folder + "\\graph0.xml") << kGraph;
    std::ofstream(folder + "\\package.xml") << "<Package id=\"" << name.substr(0, name.find('.'))
                                            << "\"><Resource id=\"graph0\" fileName=\"graph0.xml\"/>"
                                               "<Instance graphResourceId=\"graph0\" parentNodeId=\""
                                            << parent << "\"/></Package>";
}

class EntryProcessor : public Testing::ProcessorRecorder
{
public:
    void Step(Logic::IState* state) override
    {
        ProcessorRecorder::Step(state);
        ++mSteps;
        Logic::IDeviceHandler* devices = state->GetDeviceHandler();
        PrintWindowWhenChanged();
        if (mSteps == 1)
            devices->RequestScreenshot();
        if (!mPrinted && devices->IsScreenshotReady()) {
            mPrinted = PrintCentrePixel(devices);
            if (!mPrinted)
                devices->RequestScreenshot();
        }
        if (mPrinted && Mode().empty())
            devices->RequestQuit();
        if (mPrinted && Mode() == "loadfail" && !mMissingRequested)
            mMissingRequested = mLoader->LoadPackage(String(kBrokenPackage));
    }
    void Animate(Logic::IState* state) override
    {
        ProcessorRecorder::Animate(state);
        ++mFrames;
    }

    static constexpr const char* kMissingPackage = "missing.vornres";
    // Reads, but its graph hangs under a node that does not exist.
    static constexpr const char* kBrokenPackage = "broken.vornres";

    std::atomic<int> mSteps{0};
    std::atomic<int> mFrames{0};
    ILoader* mLoader = nullptr;

private:
    // Prints the window's client and title at the first step and whenever the client changes.
    void PrintWindowWhenChanged()
    {
        HWND window = FindWindowW(L"VornWindow", nullptr);
        RECT client = {};
        if (window != nullptr)
            GetClientRect(window, &client);
        if (mSteps > 1 && client.right == mClientWidth && client.bottom == mClientHeight)
            return;
        mClientWidth = client.right;
        mClientHeight = client.bottom;
        wchar_t wide[256] = {};
        char title[256] = {};
        // This runs on the logic thread while the window's thread waits for it, so nothing here
        // may send the window a message.
        if (window != nullptr) {
            InternalGetWindowText(window, wide, 256);
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, title, sizeof(title), nullptr, nullptr);
        }
        Print("window %ld %ld %d %d %s", client.right, client.bottom, GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), title);
    }

    static Bool PrintCentrePixel(Logic::IDeviceHandler* devices)
    {
        IScreenshotControl* control = devices->GetOutputDeviceHandler()->GetScreenshotControl(0);
        Resource::IImage* image = control != nullptr ? control->GetImage() : nullptr;
        if (image == nullptr)
            return false;
        IDisplaySurface* surface =
            image->CreateDisplaySurface(Enums::PixelFormat::R8_G8_B8_A8, 0, 0, 1, false);
        Bool printed = false;
        if (surface != nullptr && surface->Lock(0)) {
            const UInt8* pixels = static_cast<const UInt8*>(surface->GetPixels(0));
            const UInt32 width = surface->GetWidth(0);
            const UInt32 centre = (surface->GetHeight(0) / 2 * width + width / 2) * surface->GetBytesPerPixel();
            if (pixels != nullptr) {
                Print("clear %u %u %u %u", pixels[centre], pixels[centre + 1], pixels[centre + 2], pixels[centre + 3]);
                printed = true;
            }
            surface->Unlock();
        }
        delete surface;
        devices->RequestScreenshotRelease();
        return printed;
    }

    Bool mPrinted = false;
    Bool mMissingRequested = false;
    LONG mClientWidth = 0;
    LONG mClientHeight = 0;
};

class EntryApp : public IApp
{
public:
    ~EntryApp() override
    {
        if (FindWindowW(L"VornWindow", nullptr) == nullptr)
            Print("window gone");
        Print("app destroyed");
    }
    void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>&) override {}
    void GetDisplayObjectClasses(Array<const Display::ClassInfo*>&) override {}
    Bool InitApp(Logic::IFactory*, ILoader* loader) override
    {
        const std::string missing = EntryProcessor::kMissingPackage;
        const std::string name = Mode() == "fail" ? missing : "entry_test.vornres";
        if (name != missing)
            WritePackage(name);
        mProcessor.mLoader = loader;
        loader->CreatePackage(String(name.c_str()), ILoader::kLoadAtStartup, &mProcessor);
        if (Mode() == "loadfail") {
            WritePackage(EntryProcessor::kBrokenPackage, "/absent");
            loader->CreatePackage(String(EntryProcessor::kBrokenPackage), ILoader::kLoadOnRequest, nullptr);
        }
        return true;
    }
    void DeInitApp(Logic::IFactory*, ILoader*) override
    {
        Print("deinitapp steps %d frames %d", mProcessor.mSteps.load(), mProcessor.mFrames.load());
    }

private:
    EntryProcessor mProcessor;
};

} // namespace

namespace App {

IApp* CreateApp(IConfiguration* configuration)
{
    configuration->SetDisplayName("Vorn Entry Test");
    configuration->SetDisplaySurfaceSize(1280, 800);
    configuration->SetAspectRatio(1.6f);
    configuration->SetFullScreen(false);
    configuration->SetDeactivatedRunState(Enums::AppRunState::PAUSED);
    return new EntryApp();
}

} // namespace App
} // namespace Vorn
