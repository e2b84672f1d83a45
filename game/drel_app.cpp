#include "game/drel_app.h"

#include <new>

#include "core/loader.h"
#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "game/drel_logic.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kComputer = 0x100;
constexpr UInt32 kIos = 0x200;
constexpr const char* kProductName = "Plovendra";

} // namespace

DrelApp::DrelApp(IConfiguration* configuration)
    : mLogic(nullptr), mConfiguration(configuration), mLongSide(0.0f), mShortSide(0.0f)
{
}

DrelApp::~DrelApp()
{
    delete mLogic;
}

void DrelApp::GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>&) {}

void DrelApp::GetDisplayObjectClasses(Array<const Display::ClassInfo*>&) {}

void DrelApp::ChooseDisplayClasses(const IConfiguration* configuration, Float longSide, Float shortSide,
                                   String& primary, String& secondary)
{
    secondary = String();
    if (!configuration->IsOperatingSystem(kIos) && (longSide >= 1280.0f || shortSide >= 800.0f))
        primary = String("1280");
    else if (configuration->IsDeviceClass(kComputer))
        primary = String("1280");
    else if (longSide >= 1024.0f || shortSide >= 640.0f)
        primary = String("1024");
    else if (longSide >= 800.0f || shortSide >= 500.0f)
        primary = String("800");
    // The display-class hint.
    else if (configuration->GetIntegerH() == 2) {
        primary = String("1024");
        secondary = String("512");
    } else {
        primary = String("512");
    }
    if (secondary.IsEmpty())
        secondary = primary;
}

Bool DrelApp::InitApp(Logic::IFactory* factory, ILoader* loader)
{
    const Float width = Float(mConfiguration->GetDisplayWidth());
    const Float height = Float(mConfiguration->GetDisplayHeight());
    mLongSide = width > height ? width : height;
    mShortSide = width > height ? height : width;
    mLogic = new DrelLogic(factory, mLongSide, mShortSide);
    String primary;
    String secondary;
    ChooseDisplayClasses(mConfiguration, mLongSide, mShortSide, primary, secondary);
    mLogic->RegisterPackages(loader, primary, secondary);
    // The loader reports a refused package itself.
    loader->CreatePackage(String("texts"), ILoader::kLoadInBackground, nullptr);
    loader->CreatePackage(String("app_") + secondary, ILoader::kLoadInBackground, nullptr);
    loader->CreatePackage(String("app_common"), ILoader::kLoadInBackground, nullptr);
    loader->CreatePackage(String("main"), ILoader::kLoadInBackground, mLogic->GetProcessor());
    return true;
}

void DrelApp::DeInitApp(Logic::IFactory*, ILoader*)
{
    delete mLogic;
    mLogic = nullptr;
}

IApp* CreateApp(IConfiguration* configuration)
{
    configuration->SetApplicationName(String(kProductName));
    configuration->SetDisplayName(String(kProductName));
    if (configuration->IsDeviceClass(kComputer)) {
        configuration->SetDeactivatedRunState(Enums::AppRunState::PAUSED);
        configuration->SetFixedAspectRatio(true);
        configuration->SetDisplaySurfaceSize(1280, 800);
        configuration->SetFullScreen(true);
    }
    return new (std::nothrow) DrelApp(configuration);
}

void DestroyApp(IApp* app)
{
    delete app;
}

} // namespace App
} // namespace Vorn
