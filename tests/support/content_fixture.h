// The game's own data on the headless engine: the packages the build made from content/, started
// by the game's application on a desktop computer of 1280 x 800, with the engine's log in a file
// of the test's own, so that a test can read every line the run wrote.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/debug.h"
#include "game/drel_app.h"
#include "game/drel_logic.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/index_buffer.h"
#include "graph/indexed.h"
#include "graph/input/button.h"
#include "graph/namespace.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "graph/vertex_buffer.h"
#include "logic/stage.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/game_harness.h"

namespace Vorn {
namespace Testing {

// Where the build puts the packages the program embeds; tests run in <build>/tests.
inline std::filesystem::path BuiltPackagesFolder()
{
    const char* given = std::getenv("VORN_CONTENT_PACKAGES");
    return given != nullptr ? std::filesystem::path(given) : std::filesystem::path("..") / "content" / "packages";
}

// What the code takes a node for when it binds it.
enum class NodeKind
{
    kNode,
    kNamespace,
    kTransform,
    kSwitch,
    kIndexed,
    kTimeline,
    kButton,      // a button that is also placed (IButton + ITransform)
    kDisplayText, // a text the code writes and places (IDisplayText + ITransform)
    kText,
    kScalable,
    kParameters,
    kPlane,
    kPlaneSequence,
    kDisplayObject, // index and vertex buffers that are placed
};

inline bool IsNodeOfKind(Graph::INode* node, NodeKind kind)
{
    switch (kind) {
    case NodeKind::kNode:
        return true;
    case NodeKind::kNamespace:
        return dynamic_cast<Graph::INamespace*>(node) != nullptr;
    case NodeKind::kTransform:
        return dynamic_cast<Graph::ITransform*>(node) != nullptr;
    case NodeKind::kSwitch:
        return dynamic_cast<Graph::ISwitch*>(node) != nullptr;
    case NodeKind::kIndexed:
        return dynamic_cast<Graph::IIndexed*>(node) != nullptr;
    case NodeKind::kTimeline:
        return dynamic_cast<Graph::ITimeline*>(node) != nullptr;
    case NodeKind::kButton:
        return dynamic_cast<Graph::IButton*>(node) != nullptr && dynamic_cast<Graph::ITransform*>(node) != nullptr;
    case NodeKind::kDisplayText:
        return dynamic_cast<Graph::IDisplayText*>(node) != nullptr && dynamic_cast<Graph::ITransform*>(node) != nullptr;
    case NodeKind::kText:
        return dynamic_cast<Graph::IText*>(node) != nullptr;
    case NodeKind::kScalable:
        return dynamic_cast<Graph::IScalable*>(node) != nullptr;
    case NodeKind::kParameters:
        return dynamic_cast<Graph::IParameters*>(node) != nullptr;
    case NodeKind::kPlane:
        return dynamic_cast<Graph::IDisplayPlane*>(node) != nullptr;
    case NodeKind::kPlaneSequence:
        return dynamic_cast<Graph::IDisplayPlaneSequence*>(node) != nullptr;
    case NodeKind::kDisplayObject:
        return dynamic_cast<Graph::IIndexBuffer*>(node) != nullptr &&
               dynamic_cast<Graph::IVertexBuffer*>(node) != nullptr &&
               dynamic_cast<Graph::ITransform*>(node) != nullptr;
    }
    return false;
}

class ContentFixture : public ::testing::Test
{
protected:
    ContentFixture()
    {
        mHarness.mConfiguration.SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
        mHarness.mConfiguration.SetDeviceModel(Enums::DeviceModel::DESKTOP_GENERIC);
        // The system-font textures of the menus draw their texts through the platform's font
        // control, which the headless engine takes from a fake.
        mHarness.mDevices.AddSystemFontControl(&mFontControl);
        mLogFile = (std::filesystem::path(mHarness.mFolder.Get()) / "engine.log").string();
        // The engine takes its log file from the configuration when it starts.
        mHarness.mConfiguration.SetLogFilePath(String(mLogFile.c_str()));
    }
    ~ContentFixture() override { Debug::ClearLogFile(); }

    // Copies the built packages beside the harness's files and starts the game with them; prepare,
    // when given, may change the copies in the folder before the start.
    Bool Start(const std::function<void(const std::filesystem::path&)>& prepare = {})
    {
        const std::filesystem::path from = BuiltPackagesFolder();
        std::error_code error;
        std::filesystem::copy(from, std::filesystem::path(mHarness.mFolder.Get()),
                              std::filesystem::copy_options::recursive, error);
        if (error) {
            ADD_FAILURE() << "no built packages at " << from << " (" << error.message() << ")";
            return false;
        }
        if (prepare)
            prepare(std::filesystem::path(mHarness.mFolder.Get()));
        mApp.reset(static_cast<App::DrelApp*>(App::CreateApp(&mHarness.mConfiguration)));
        return mApp != nullptr && mHarness.Start(mApp.get());
    }

    App::DrelLogic* Logic() const { return mApp->GetLogic(); }
    static Bool IsRunning(const Logic::BaseStage* stage)
    {
        return stage->GetStage()->IsRunState(Logic::IStage::kRunning);
    }
    Bool RunUntil(const Logic::BaseStage* stage, UInt32 frames = 2000)
    {
        return mHarness.FramesUntil([&] { return IsRunning(stage); }, frames);
    }
    // Until the game and end groups are in behind the menu.
    Bool RunUntilAllGroupsLoaded(UInt32 frames = 2000)
    {
        return mHarness.FramesUntil([&] { return Logic()->GetGroup(1)->IsLoaded() && Logic()->GetGroup(2)->IsLoaded(); },
                                    frames);
    }

    // Every log line written since the start.
    std::vector<std::string> AllLines() const
    {
        std::vector<std::string> lines;
        std::ifstream log(mLogFile);
        for (std::string line; std::getline(log, line);) {
            if (!line.empty())
                lines.push_back(line);
        }
        return lines;
    }

    // Declared before the harness, which stops the engine with them.
    FakeSystemFontControl mFontControl;
    std::unique_ptr<App::DrelApp> mApp;
    GameHarness mHarness;
    std::string mLogFile;
};

} // namespace Testing
} // namespace Vorn
