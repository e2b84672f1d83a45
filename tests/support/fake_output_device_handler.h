// An output device handler for engine, logic and graph tests: it keeps the controls it is given
// per kind and by identifier, hands them back like the real one, and counts its per-step calls.
// The fake controls count the calls they receive and, but for the system font control, do nothing
// of their own kind.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "output/device_handler.h"
#include "output/screenshot_control.h"
#include "platform/configuration_control.h"
#include "platform/system_dialog.h"
#include "platform/system_font.h"
#include "platform/web_control.h"
#include "tests/support/fake_display_surface.h"

namespace Vorn {
namespace Testing {

// The calls a fake control received; a shared log, when set, records the order of Update calls
// over several controls.
struct FakeControlCounts
{
    UInt32 mProcessCount = 0;
    UInt32 mUpdateCount = 0;
    UInt32 mConfigChangedCount = 0;
    UInt32 mLastStamp = 0;
    std::vector<IControlable*>* mUpdateLog = nullptr;
};

// Interface is IControlable or one of the control interfaces.
template <class Interface>
class FakeControlOf : public Interface, public FakeControlCounts
{
public:
    void Process() override { ++mProcessCount; }
    void Update() override
    {
        ++mUpdateCount;
        if (mUpdateLog)
            mUpdateLog->push_back(this);
    }
    void ConfigChanged(IConfiguration*, UInt32 stamp) override
    {
        ++mConfigChangedCount;
        mLastStamp = stamp;
    }
};

using FakeControl = FakeControlOf<IControlable>;

// Controls of each kind that do nothing of their own kind: makers give null, queries false.
class FakeConfigurationControl : public FakeControlOf<IConfigurationControl>
{
public:
    Bool mQuitRequested = false;
    void Quit() override { mQuitRequested = true; }
    Bool IsQuitRequested() const override { return mQuitRequested; }
};

class FakeScreenshotControl : public FakeControlOf<IScreenshotControl>
{
public:
    Bool RequestScreenshot() override { return false; }
    Bool RequestRelease() override { return false; }
    Bool IsBusy() const override { return false; }
    Bool IsReady() const override { return false; }
    IImage* GetImage() override { return nullptr; }
};

class FakeSystemDialogControl : public FakeControlOf<ISystemDialogControl>
{
public:
    ISystemDialog* CreateDialog(const String&, const String&, const Array<String>&) override { return nullptr; }
    ISystemDialog* CreateDialog(const String&, const String&, const String&, const String&, const String&) override
    {
        return nullptr;
    }
    ISystemDialog* CreateDialog(const String&, const String&, const String&, const String&) override
    {
        return nullptr;
    }
    ISystemDialog* CreateDialog(const String&, const String&, const String&) override { return nullptr; }
    void DestroyDialog(ISystemDialog*) override {}
};

// A system font that records what it is asked to draw; drawing fails while mFailDrawing is set.
class FakeSystemFont : public ISystemFont
{
public:
    struct Drawing
    {
        std::string text;
        Float textColor[4];
        Float backgroundColor[4];
        Enums::TextAlignmentX alignmentX;
        Enums::TextAlignmentY alignmentY;
        IDisplaySurface* surface;
    };

    FakeSystemFont(const char* faceName, Float size) : mFaceName(faceName ? faceName : ""), mSize(size) {}
    Bool DrawText(const char* text, const Float* textColor, const Float* backgroundColor, Float, Float,
                  Enums::TextAlignmentX alignmentX, Enums::TextAlignmentY alignmentY,
                  IDisplaySurface* surface) override
    {
        Drawing drawing{text ? text : "", {}, {}, alignmentX, alignmentY, surface};
        std::copy(textColor, textColor + 4, drawing.textColor);
        std::copy(backgroundColor, backgroundColor + 4, drawing.backgroundColor);
        mDrawings.push_back(drawing);
        return !mFailDrawing;
    }

    std::string mFaceName;
    Float mSize;
    Bool mFailDrawing = false;
    std::vector<Drawing> mDrawings;
};

// Makes recording fonts and plain surfaces, refuses them on request and keeps the live ones, so
// that a test sees what a node made and gave back.
class FakeSystemFontControl : public FakeControlOf<ISystemFontControl>
{
public:
    ISystemFont* CreateSystemFont(const char* faceName, Float size) override
    {
        if (mRefuseFonts)
            return nullptr;
        mFonts.push_back(std::make_unique<FakeSystemFont>(faceName, size));
        return mFonts.back().get();
    }
    IDisplaySurface* CreateSurface(Enums::PixelFormat format, UInt32 width, UInt32 height) override
    {
        if (mRefuseSurfaces)
            return nullptr;
        mSurfaces.push_back(std::make_unique<FakeDisplaySurface>(format, width, height,
                                                                 std::vector<UInt8>(std::size_t(width) * height * 4)));
        return mSurfaces.back().get();
    }
    void DestroySystemFont(ISystemFont* font) override { Erase(mFonts, font); }
    void DestroySurface(IDisplaySurface* surface) override { Erase(mSurfaces, surface); }

    Bool mRefuseFonts = false;
    Bool mRefuseSurfaces = false;
    std::vector<std::unique_ptr<FakeSystemFont>> mFonts;
    std::vector<std::unique_ptr<FakeDisplaySurface>> mSurfaces;

private:
    template <class Owned, class Given>
    static void Erase(std::vector<std::unique_ptr<Owned>>& list, Given* object)
    {
        list.erase(std::remove_if(list.begin(), list.end(), [object](const auto& owned) { return owned.get() == object; }),
                   list.end());
    }
};

class FakeWebControl : public FakeControlOf<IWebControl>
{
public:
    Bool OpenUrl(const String&) override { return false; }
    IUrlRequest* CreateUrlRequest(const String&) override { return nullptr; }
    void DestroyUrlRequest(IUrlRequest*) override {}
    IEMail* CreateEMail(const String&, const String&, const String&) override { return nullptr; }
    IEMail* CreateEMail(const String&, const String&) override { return nullptr; }
    void DestroyEMail(IEMail*) override {}
};

class FakeOutputDeviceHandler : public Output::IDeviceHandler
{
public:
    // The lists, in the handler's slot order of kinds.
    enum Kind
    {
        kControlC,
        kConfigurationControl,
        kControlD,
        kControlA,
        kControlB,
        kSystemDialogControl,
        kSystemFontControl,
        kWebControl,
        kScreenshotControl,
        kNumberOfKinds
    };

    std::vector<IControlable*> mLists[kNumberOfKinds];
    // The controls by identifier, in registration order.
    using Registration = std::pair<UInt32, IControlable*>;
    std::vector<Registration> mControls;
    UInt32 mUpdateCount = 0;
    UInt32 mConfigChangedCount = 0;
    UInt32 mBeginProcessLogicCount = 0;
    UInt32 mEndProcessLogicCount = 0;

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    void ConfigChanged(IConfiguration*, UInt32) override { ++mConfigChangedCount; }

    Bool AddControlC(IControlable* control) override { return AddTo(mLists[kControlC], control); }
    Bool RemoveControlC(IControlable* control) override { return RemoveFrom(mLists[kControlC], control); }
    IControlable* GetControlC(UInt32 index) override { return static_cast<IControlable*>(At(mLists[kControlC], index)); }
    Bool AddConfigurationControl(IConfigurationControl* control) override { return AddTo(mLists[kConfigurationControl], control); }
    Bool RemoveConfigurationControl(IConfigurationControl* control) override { return RemoveFrom(mLists[kConfigurationControl], control); }
    IConfigurationControl* GetConfigurationControl(UInt32 index) override { return static_cast<IConfigurationControl*>(At(mLists[kConfigurationControl], index)); }
    Bool AddControlD(IControlable* control) override { return AddTo(mLists[kControlD], control); }
    Bool RemoveControlD(IControlable* control) override { return RemoveFrom(mLists[kControlD], control); }
    IControlable* GetControlD(UInt32 index) override { return static_cast<IControlable*>(At(mLists[kControlD], index)); }
    Bool AddControlA(IControlable* control) override { return AddTo(mLists[kControlA], control); }
    Bool RemoveControlA(IControlable* control) override { return RemoveFrom(mLists[kControlA], control); }
    IControlable* GetControlA(UInt32 index) override { return static_cast<IControlable*>(At(mLists[kControlA], index)); }
    Bool AddControlB(IControlable* control) override { return AddTo(mLists[kControlB], control); }
    Bool RemoveControlB(IControlable* control) override { return RemoveFrom(mLists[kControlB], control); }
    IControlable* GetControlB(UInt32 index) override { return static_cast<IControlable*>(At(mLists[kControlB], index)); }
    Bool AddSystemDialogControl(ISystemDialogControl* control) override { return AddTo(mLists[kSystemDialogControl], control); }
    Bool RemoveSystemDialogControl(ISystemDialogControl* control) override { return RemoveFrom(mLists[kSystemDialogControl], control); }
    ISystemDialogControl* GetSystemDialogControl(UInt32 index) override { return static_cast<ISystemDialogControl*>(At(mLists[kSystemDialogControl], index)); }
    Bool AddSystemFontControl(ISystemFontControl* control) override { return AddTo(mLists[kSystemFontControl], control); }
    Bool RemoveSystemFontControl(ISystemFontControl* control) override { return RemoveFrom(mLists[kSystemFontControl], control); }
    ISystemFontControl* GetSystemFontControl(UInt32 index) override { return static_cast<ISystemFontControl*>(At(mLists[kSystemFontControl], index)); }
    Bool AddWebControl(IWebControl* control) override { return AddTo(mLists[kWebControl], control); }
    Bool RemoveWebControl(IWebControl* control) override { return RemoveFrom(mLists[kWebControl], control); }
    IWebControl* GetWebControl(UInt32 index) override { return static_cast<IWebControl*>(At(mLists[kWebControl], index)); }
    Bool AddScreenshotControl(IScreenshotControl* control) override { return AddTo(mLists[kScreenshotControl], control); }
    Bool RemoveScreenshotControl(IScreenshotControl* control) override { return RemoveFrom(mLists[kScreenshotControl], control); }
    IScreenshotControl* GetScreenshotControl(UInt32 index) override { return static_cast<IScreenshotControl*>(At(mLists[kScreenshotControl], index)); }

    Bool AddControl(UInt32 identifier, IControlable* control) override
    {
        if (FindControl(identifier) != mControls.end())
            return false;
        mControls.emplace_back(identifier, control);
        return true;
    }
    Bool RemoveControl(IControlable* control) override
    {
        auto entry = std::find_if(mControls.begin(), mControls.end(),
                                  [control](const Registration& r) { return r.second == control; });
        if (entry == mControls.end())
            return false;
        mControls.erase(entry);
        return true;
    }
    Bool RemoveControlById(UInt32 identifier) override
    {
        auto entry = FindControl(identifier);
        if (entry == mControls.end())
            return false;
        mControls.erase(entry);
        return true;
    }
    IControlable* GetControl(UInt32 position) override
    {
        return position < mControls.size() ? mControls[position].second : nullptr;
    }
    IControlable* GetControlById(UInt32 identifier) override
    {
        auto entry = FindControl(identifier);
        return entry == mControls.end() ? nullptr : entry->second;
    }
    UInt32 GetNumberOfControls() const override { return UInt32(mControls.size()); }

    Bool Update() override
    {
        ++mUpdateCount;
        return true;
    }
    Bool BeginProcessLogic() override
    {
        ++mBeginProcessLogicCount;
        return true;
    }
    Bool EndProcessLogic() override
    {
        ++mEndProcessLogicCount;
        return true;
    }

private:
    std::vector<Registration>::iterator FindControl(UInt32 identifier)
    {
        return std::find_if(mControls.begin(), mControls.end(),
                            [identifier](const Registration& r) { return r.first == identifier; });
    }
    static Bool AddTo(std::vector<IControlable*>& list, IControlable* control)
    {
        list.push_back(control);
        return true;
    }
    static Bool RemoveFrom(std::vector<IControlable*>& list, IControlable* control)
    {
        auto entry = std::find(list.begin(), list.end(), control);
        if (entry == list.end())
            return false;
        list.erase(entry);
        return true;
    }
    static IControlable* At(const std::vector<IControlable*>& list, UInt32 index)
    {
        return index < list.size() ? list[index] : nullptr;
    }
};

} // namespace Testing
} // namespace Vorn
