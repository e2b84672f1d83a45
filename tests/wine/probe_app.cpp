// The game with a probe for the Wine driver: the same application, packages and data as the real
// program, with one processor wrapped around the game's main processor. The probe works in a folder
// that VORN_PROBE_DIR names (a Windows path):
// - it takes a picture through the engine's screenshot control whenever the driver leaves a file
//   "request.txt" there holding a name, and writes it as "<name>.png";
// - it appends to "probe.txt" the time from the program's start to the first frame of the menu
//   stage ("menu <seconds> <frames>") and, while that stage runs, the frames of each second
//   ("fps <frames per second>"), both counted on the frames the engine runs.
// VORN_PROBE_AUDIO_DRIVERS, when set, replaces the OpenAL back-ends the driver chose: "none" leaves
// OpenAL none, as on a computer without a sound device. The probe then first makes sure that
// OpenAL really opens no device, and ends with exit code 3 if it does.
#include <windows.h>

#include <AL/alc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "core/loader.h"
#include "foundation/data.h"
#include "foundation/time.h"
#include "game/drel_app.h"
#include "game/drel_logic.h"
#include "logic/device_handler.h"
#include "logic/processor.h"
#include "logic/stage.h"
#include "logic/stage_processor.h"
#include "logic/state.h"
#include "output/device_handler.h"
#include "output/screenshot_control.h"
#include "platform/win32/application.h"
#include "resource/image.h"

namespace Vorn {
namespace {

std::string ProbeFolder()
{
    const char* folder = std::getenv("VORN_PROBE_DIR");
    return folder != nullptr ? folder : "";
}

Double Seconds(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return Double(value.QuadPart) / 1.0e7;
}

// Seconds since the process was created.
Double SecondsSinceStart()
{
    FILETIME creation = {};
    FILETIME exit = {};
    FILETIME kernel = {};
    FILETIME user = {};
    FILETIME now = {};
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    return Seconds(now) - Seconds(creation);
}

Double Now()
{
    return Double(System::Time::GetCurrent().ToMicroSeconds()) / 1.0e6;
}

class ProbeProcessor : public Logic::IProcessor
{
public:
    ProbeProcessor(Logic::IProcessor* game, App::DrelApp* app) : mGame(game), mApp(app), mFolder(ProbeFolder()) {}

    Bool Init(Logic::IState* state) override { return mGame->Init(state); }
    Bool DeInit(Logic::IState* state) override { return mGame->DeInit(state); }
    void Step(Logic::IState* state) override
    {
        mGame->Step(state);
        if (!mFolder.empty())
            ServeScreenshot(state->GetDeviceHandler());
    }
    void Animate(Logic::IState* state) override
    {
        mGame->Animate(state);
        if (!mFolder.empty())
            CountFrame();
    }
    void SignalPackageWillBeLoaded(Logic::IState* state, IPackage* package) override
    {
        mGame->SignalPackageWillBeLoaded(state, package);
    }
    void SignalPackageWasLoaded(Logic::IState* state, IPackage* package) override
    {
        mGame->SignalPackageWasLoaded(state, package);
    }
    void SignalPackageWillBeUnloaded(Logic::IState* state, IPackage* package) override
    {
        mGame->SignalPackageWillBeUnloaded(state, package);
    }
    void SignalPackageWasUnloaded(Logic::IState* state, IPackage* package) override
    {
        mGame->SignalPackageWasUnloaded(state, package);
    }
    void RunStateChanged(Logic::IState* state, Enums::AppRunState newState, Enums::AppRunState previousState) override
    {
        mGame->RunStateChanged(state, newState, previousState);
    }

private:
    void Append(const char* line)
    {
        if (FILE* file = std::fopen((mFolder + "\\probe.txt").c_str(), "ab")) {
            std::fputs(line, file);
            std::fputs("\n", file);
            std::fclose(file);
        }
    }

    // The menu stage shows from its intro on.
    Bool MenuShows() const
    {
        App::DrelLogic* logic = mApp->GetLogic();
        Logic::IStageProcessor* stages = logic != nullptr ? logic->GetStageProcessor() : nullptr;
        Logic::IStage* menu = stages != nullptr ? stages->GetStage(String("menu_stage_id")) : nullptr;
        return menu != nullptr && menu->GetRunState() >= Logic::IStage::kStarting &&
               menu->GetRunState() <= Logic::IStage::kRunning;
    }

    void CountFrame()
    {
        ++mFrames;
        if (!MenuShows()) {
            mSecondStart = 0.0;
            return;
        }
        char line[96];
        if (!mMenuSeen) {
            mMenuSeen = true;
            std::snprintf(line, sizeof(line), "menu %.3f %u", SecondsSinceStart(), mFrames);
            Append(line);
        }
        const Double now = Now();
        if (mSecondStart == 0.0) {
            mSecondStart = now;
            mSecondFrames = 0;
            return;
        }
        ++mSecondFrames;
        if (now - mSecondStart >= 1.0) {
            std::snprintf(line, sizeof(line), "fps %.1f", Double(mSecondFrames) / (now - mSecondStart));
            Append(line);
            mSecondStart = now;
            mSecondFrames = 0;
        }
    }

    void ServeScreenshot(Logic::IDeviceHandler* devices)
    {
        if (mShotName.empty()) {
            const std::string request = mFolder + "\\request.txt";
            FILE* file = std::fopen(request.c_str(), "rb");
            if (file == nullptr)
                return;
            char name[128] = {};
            const size_t read = std::fread(name, 1, sizeof(name) - 1, file);
            std::fclose(file);
            DeleteFileA(request.c_str());
            mShotName.assign(name, read);
            while (!mShotName.empty() && (mShotName.back() == '\n' || mShotName.back() == '\r'))
                mShotName.pop_back();
            if (mShotName.empty())
                return;
            mRequested = false;
        }
        if (!mRequested) {
            mRequested = devices->RequestScreenshot();
            return;
        }
        if (!devices->IsScreenshotReady())
            return;
        IScreenshotControl* control = devices->GetOutputDeviceHandler()->GetScreenshotControl(0);
        Resource::IImage* image = control != nullptr ? control->GetImage() : nullptr;
        Data png;
        if (image != nullptr && image->EncodePng(png)) {
            const std::string path = mFolder + "\\" + mShotName + ".png";
            const std::string part = path + ".part";
            if (FILE* file = std::fopen(part.c_str(), "wb")) {
                std::fwrite(png.GetData(), 1, png.GetSize(), file);
                std::fclose(file);
                MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
            }
        }
        devices->RequestScreenshotRelease();
        mShotName.clear();
    }

    Logic::IProcessor* mGame;
    App::DrelApp* mApp;
    std::string mFolder;
    std::string mShotName;
    Bool mRequested = false;
    Bool mMenuSeen = false;
    UInt32 mFrames = 0;
    UInt32 mSecondFrames = 0;
    Double mSecondStart = 0.0;
};

// Hands the game's loader on, with the probe in place of the main package's processor.
class ProbeLoader : public ILoader
{
public:
    ProbeLoader(ILoader* loader, App::DrelApp* app) : mLoader(loader), mApp(app) {}
    ~ProbeLoader() override { delete mProbe; }

    IPackage* CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor) override
    {
        if (name == String("main") && processor != nullptr && mProbe == nullptr) {
            mProbe = new ProbeProcessor(processor, mApp);
            processor = mProbe;
        }
        return mLoader->CreatePackage(name, loadMode, processor);
    }
    IPackage* GetPackage(const String& name) override { return mLoader->GetPackage(name); }
    Bool LoadPackage(const String& name) override { return mLoader->LoadPackage(name); }
    Bool UnloadPackage(const String& name) override { return mLoader->UnloadPackage(name); }

private:
    ILoader* mLoader;
    App::DrelApp* mApp;
    ProbeProcessor* mProbe = nullptr;
};

class ProbeApp : public IApp
{
public:
    explicit ProbeApp(App::DrelApp* game) : mGame(game) {}
    ~ProbeApp() override
    {
        App::DestroyApp(mGame);
        delete mLoader;
    }

    void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>& classes) override
    {
        mGame->GetGraphNodeClasses(classes);
    }
    void GetDisplayObjectClasses(Array<const Display::ClassInfo*>& classes) override
    {
        mGame->GetDisplayObjectClasses(classes);
    }
    Bool InitApp(Logic::IFactory* factory, ILoader* loader) override
    {
        delete mLoader;
        mLoader = new ProbeLoader(loader, mGame);
        return mGame->InitApp(factory, mLoader);
    }
    void DeInitApp(Logic::IFactory* factory, ILoader* loader) override
    {
        mGame->DeInitApp(factory, mLoader != nullptr ? static_cast<ILoader*>(mLoader) : loader);
    }

private:
    App::DrelApp* mGame;
    ProbeLoader* mLoader = nullptr;
};

IApp* CreateProbeApp(IConfiguration* configuration)
{
    IApp* game = App::CreateApp(configuration);
    return game != nullptr ? new ProbeApp(static_cast<App::DrelApp*>(game)) : nullptr;
}

} // namespace
} // namespace Vorn

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (const char* drivers = std::getenv("VORN_PROBE_AUDIO_DRIVERS")) {
        // Read by OpenAL when it is first used, which is below.
        _putenv_s("ALSOFT_DRIVERS", drivers);
        if (ALCdevice* device = alcOpenDevice(nullptr)) {
            alcCloseDevice(device);
            std::fprintf(stderr, "probe: OpenAL still opens a device with ALSOFT_DRIVERS=%s\n", drivers);
            return 3;
        }
        std::fprintf(stderr, "probe: no audio device (ALSOFT_DRIVERS=%s)\n", drivers);
    }
    Vorn::Win32::Application application(&Vorn::CreateProbeApp);
    return application.Run(instance) ? 0 : -1;
}
