// The headless engine for end-to-end tests of the game: the real engine with its logic and
// loader threads, the real input back-end and the real configuration, over XML packages that a
// test describes as lists of node paths and classes and that are written into a temp folder.
// Time comes from the harness: every frame moves the clock on by a fixed step, so the logic
// sees the same steps on a busy machine. Clicks and raw keys are fed between frames, as the
// platform's window procedure feeds them. The test thread is the main thread.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/app.h"
#include "core/configuration.h"
#include "core/core_device_handler.h"
#include "core/core_engine.h"
#include "core/core_loader.h"
#include "display/factory.h"
#include "foundation/folder_file_interface.h"
#include "foundation/time.h"
#include "graph/node.h"
#include "graph/node_class_info.h"
#include "graph/root.h"
#include "graph/view/camera.h"
#include "input/device.h"
#include "tests/support/fake_audio_interface.h"
#include "tests/support/fake_display_interface.h"
#include "tests/support/fake_display_renderer.h"
#include "tests/support/package_fixture.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace Testing {

// One node of a package graph: its path ("/stage_end/pic"), its class and its further XML
// attributes. The path's parent segments give the node's place in the graph: a segment listed
// before is that node, any other becomes a Namespace.
struct GameNode
{
    std::string mPath;
    std::string mClass;
    std::string mAttributes;
};

// The XML graph text of the nodes, in their order.
inline std::string GameGraphXml(const std::vector<GameNode>& nodes)
{
    struct Element
    {
        std::string mId;
        std::string mClass;
        std::string mAttributes;
        std::vector<size_t> mChildren;
    };
    std::vector<Element> elements(1);
    std::map<std::string, size_t> byPath;
    auto place = [&](const std::string& path, const std::string& nodeClass, const std::string& attributes) {
        size_t parent = 0;
        size_t start = 1;
        while (true) {
            const size_t end = path.find('/', start);
            const std::string prefix = path.substr(0, end);
            auto found = byPath.find(prefix);
            if (found == byPath.end()) {
                const Bool last = end == std::string::npos;
                elements.push_back({prefix.substr(prefix.rfind('/') + 1), last ? nodeClass : "Namespace",
                                    last ? attributes : "", {}});
                elements[parent].mChildren.push_back(elements.size() - 1);
                found = byPath.emplace(prefix, elements.size() - 1).first;
            }
            parent = found->second;
            if (end == std::string::npos)
                return;
            start = end + 1;
        }
    };
    for (const GameNode& node : nodes)
        place(node.mPath, node.mClass, node.mAttributes);
    std::string xml;
    auto write = [&](auto& self, size_t index) -> void {
        const Element& element = elements[index];
        xml += "<" + element.mClass + " id='" + element.mId + "'" +
               (element.mAttributes.empty() ? "" : " " + element.mAttributes);
        if (element.mChildren.empty()) {
            xml += "/>";
            return;
        }
        xml += ">";
        for (size_t child : element.mChildren)
            self(self, child);
        xml += "</" + element.mClass + ">";
    };
    xml += "<Graph>";
    for (size_t child : elements[0].mChildren)
        write(write, child);
    return xml + "</Graph>";
}

class GameHarness
{
public:
    // The display of the harness, in pixels.
    static constexpr UInt32 kWidth = 1280;
    static constexpr UInt32 kHeight = 800;

    GameHarness() : mFiles(String(mFolder.Get().c_str()))
    {
        Now() = System::Time::FromSeconds(1000);
        Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, &MakeDisplayRenderer);
        mConfiguration.SetVideoApi(Enums::VideoApi::DX9);
        mConfiguration.SetDisplaySurfaceSize(kWidth, kHeight);
        mConfiguration.SetMultiThreadedCalls(false);
        mDevices.Init(&mConfiguration);
        mDevices.SetDisplayInterface(&mDisplay);
        mDevices.SetAudioInterface(&mAudio);
        mDevices.SetFileInterface(&mFiles);
        // The logic takes the first device of each kind when the engine starts.
        mMouse = mDevices.CreateMouseDevice();
        mKeyboard = mDevices.CreateRawKeyboardDevice();
        mText = mDevices.CreateKeyboardDevice();
        mRawMouse = mDevices.CreateRawMouseDevice();
    }
    ~GameHarness()
    {
        if (mApp.mApp != nullptr) {
            EXPECT_TRUE(Stop());
        }
        mDevices.DestroyRawMouseDevice(mRawMouse);
        mDevices.DestroyKeyboardDevice(mText);
        mDevices.DestroyRawKeyboardDevice(mKeyboard);
        mDevices.DestroyMouseDevice(mMouse);
        mDevices.DeInit();
        Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
    }

    // Writes the package; a name without extension is found as name + ".vornres". The graph
    // hangs under the node at parent (empty: the root's container view).
    void AddPackage(const std::string& name, const std::vector<GameNode>& nodes, const std::string& parent = "")
    {
        const std::string file = name.find('.') == std::string::npos ? name + ".vornres" : name;
        WriteXmlPackage(mFolder, file, {{GameGraphXml(nodes), parent}});
    }

    // A graph node class that the engine registers beside the application's own, for node
    // kinds that need a font or a system font on a real platform. Before Start.
    void AddNodeClass(const char* name, Graph::NodeCreateFunction create)
    {
        mApp.mNodeClasses.emplace_back(String(name), create);
    }

    // Init and Start of the engine with the application, which is not owned.
    Bool Start(IApp* app)
    {
        if (!mEngine.Init(&mConfiguration, &mDevices))
            return false;
        mApp.mApp = app;
        if (!mEngine.Start(&mApp))
            return false;
        WaitForTheLoader();
        return true;
    }
    // Stop and DeInit; true when both succeeded. Once only.
    Bool Stop()
    {
        const Bool stopped = mEngine.Stop(&mApp);
        mApp.mApp = nullptr;
        return mEngine.DeInit() && stopped;
    }

    // One frame as the platform runs it, mFrameSeconds after the last.
    Bool Frame()
    {
        Now() += System::Time::FromMicroSeconds(UInt64(mFrameSeconds * 1000000.0 + 0.5));
        if (!mEngine.BeginFrame() || !mEngine.EndFrame())
            return false;
        WaitForTheLoader();
        return true;
    }
    // Lets the loader thread do what the frame woke it for, so that every run sees the same
    // packages arrive in the same frames, however busy the machine.
    void WaitForTheLoader()
    {
        const auto* loader = dynamic_cast<const Core::Loader*>(mEngine.GetLoader());
        while (loader != nullptr && !loader->IsCaughtUp())
            std::this_thread::yield();
    }
    Bool Frames(UInt32 count)
    {
        for (UInt32 i = 0; i < count; ++i) {
            if (!Frame())
                return false;
        }
        return true;
    }
    // Frames until the condition holds; false on a failed frame or after limit frames.
    template <typename Condition>
    Bool FramesUntil(Condition condition, UInt32 limit = 20000)
    {
        for (UInt32 frame = 0; frame < limit && !condition(); ++frame) {
            if (!Frame())
                return false;
        }
        return condition();
    }

    // A left click at the screen position (x and y from -1 to 1, y up): the mouse moves there,
    // goes down and comes up again, each in a frame of its own; one frame more lets the
    // processors read the release that the buttons recorded after them.
    Bool Click(Float x, Float y)
    {
        mMouse->SetPointer(InputAction::kMove, 0, x, y);
        if (!Frame())
            return false;
        mMouse->SetPointer(InputAction::kDown, 0, x, y);
        if (!Frame())
            return false;
        mMouse->SetPointer(InputAction::kUp, 0, x, y);
        return Frame() && Frame();
    }
    // A click at a scene position as the camera at the path shows it (an orthographic camera
    // that looks along its axis); false without the camera.
    Bool ClickAt(const char* cameraPath, Float sceneX, Float sceneY)
    {
        Graph::ICamera* camera = Find<Graph::ICamera>(cameraPath);
        if (camera == nullptr)
            return false;
        Math::Vector<float> corner;
        camera->UnprojectScreenPoint(corner, 1.0f, 1.0f, -1.0f);
        return Click(sceneX / corner.x, sceneY / corner.y);
    }
    // A raw key goes down in one frame and up in the next.
    Bool PressKey(UInt32 key)
    {
        mKeyboard->SetKey(InputAction::kDown, key);
        if (!Frame())
            return false;
        mKeyboard->SetKey(InputAction::kUp, key);
        return Frame();
    }

    // Typed text, one entry per string as the window procedure feeds each character, all in one
    // frame.
    Bool Type(const std::vector<std::string>& characters)
    {
        for (const std::string& character : characters)
            mText->AddText(String(character.c_str()));
        return Frame();
    }
    // The mouse wheel turned in one frame: a along the first axis, b along the second.
    Bool Wheel(SInt32 a, SInt32 b)
    {
        mRawMouse->SetMotion(2, a, b);
        return Frame();
    }
    // The left mouse button at a screen position: one action (InputAction) and one frame.
    Bool Pointer(UInt32 action, Float x, Float y)
    {
        mMouse->SetPointer(action, 0, x, y);
        return Frame();
    }
    // A drag with the left button from one screen position to another: down at the start, then
    // steps moves of equal length, each in a frame of its own, and up at the end.
    Bool Drag(Float x0, Float y0, Float x1, Float y1, UInt32 steps)
    {
        if (!Pointer(InputAction::kMove, x0, y0) || !Pointer(InputAction::kDown, x0, y0))
            return false;
        for (UInt32 i = 1; i <= steps; ++i) {
            const Float t = Float(i) / Float(steps);
            if (!Pointer(InputAction::kMove, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
                return false;
        }
        return Pointer(InputAction::kUp, x1, y1);
    }
    // The screen position of a scene position as the camera at the path shows it (see ClickAt);
    // false without the camera.
    Bool ToScreen(const char* cameraPath, Float sceneX, Float sceneY, Float& x, Float& y)
    {
        Graph::ICamera* camera = Find<Graph::ICamera>(cameraPath);
        if (camera == nullptr)
            return false;
        Math::Vector<float> corner;
        camera->UnprojectScreenPoint(corner, 1.0f, 1.0f, -1.0f);
        x = sceneX / corner.x;
        y = sceneY / corner.y;
        return true;
    }

    // The node at the absolute path, or null; the lookup's reference is released at once. The
    // loader thread registers the names of new graphs under the root's lock, so the lookup
    // takes it too.
    Graph::INode* Find(const char* path)
    {
        Graph::IRoot* root = mEngine.GetRoot();
        if (root == nullptr || !root->Lock())
            return nullptr;
        Graph::INode* node = root->FindNode(String(path));
        if (node != nullptr)
            node->RemoveReference();
        root->Unlock();
        return node;
    }
    template <typename T>
    T* Find(const char* path)
    {
        return dynamic_cast<T*>(Find(path));
    }
    IPackage* Package(const char* name) { return mEngine.GetLoader()->GetPackage(String(name)); }

    // The time the engine's clock reads.
    static System::Time& Now()
    {
        static System::Time now;
        return now;
    }

    Double mFrameSeconds = 0.05;
    TempFolder mFolder;
    Platform::FolderFileInterface mFiles;
    Core::Configuration mConfiguration;
    Core::DeviceHandler mDevices;
    FakeDisplayInterface mDisplay;
    FakeAudioInterface mAudio;
    IMouse* mMouse = nullptr;
    IRawKeyboard* mKeyboard = nullptr;
    IKeyboard* mText = nullptr;
    IRawMouse* mRawMouse = nullptr;
    Core::Engine mEngine{&ReadNow};

private:
    static System::Time ReadNow() { return Now(); }
    static Display::IRenderer* MakeDisplayRenderer(IConfiguration*, IDisplayInterface*)
    {
        return new FakeDisplayRenderer();
    }

    // The application as the engine sees it: the test's, with the harness's node classes added.
    class HarnessApp : public IApp
    {
    public:
        void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>& classes) override
        {
            mApp->GetGraphNodeClasses(classes);
            for (const Graph::NodeClassInfo& info : mNodeClasses)
                classes.Add(&info);
        }
        void GetDisplayObjectClasses(Array<const Display::ClassInfo*>& classes) override
        {
            mApp->GetDisplayObjectClasses(classes);
        }
        Bool InitApp(Logic::IFactory* factory, ILoader* loader) override { return mApp->InitApp(factory, loader); }
        void DeInitApp(Logic::IFactory* factory, ILoader* loader) override { mApp->DeInitApp(factory, loader); }

        IApp* mApp = nullptr;
        std::vector<Graph::NodeClassInfo> mNodeClasses;
    };

    HarnessApp mApp;
};

} // namespace Testing
} // namespace Vorn
