// The game stage's play objects over a small stage graph: the application context with its game
// state and sound table, the play field bound under "/stage_game", and a logic state over the
// graph root, so that the play processors bind, step and animate as the game stage runs them.
// Sounds are timelines that the test reads to see which ones were started.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/play_field.h"
#include "game/sound_container.h"
#include "graph/time/timeline.h"
#include "logic/base_child_processor.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_templates.h"
#include "tests/support/probe_node.h"
#include "tests/support/text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Testing {

// The sound entries the play processors use, by their node names.
inline const char* const* PlaySoundNames()
{
    static const char* const kNames[] = {"beach", "grass", "winter", "donk3", "explosion1", "descent", "pop",
                                         "removeanimals1", "removeanimals2", "removeanimals3", "removeanimals4",
                                         "removeanimals5", "removeanimals6", "removeanimals7", "removeanimals8",
                                         "removeanimals9", "removeanimals10", "icebreak", "donk", "excellent",
                                         "yourock", "yourule", "zesty", "great", "wow", "yihaa", "hurryup",
                                         nullptr};
    return kNames;
}

// The pooled score pop-up and cloud, as the game graph holds them; the pop-up's text is a
// "TestText".
inline std::string ScoreTextTemplate()
{
    return "<Graph replication='0'><Namespace id='scores{replication}' activeAndVisible='false'>"
           "<Timeline id='score_timeline' endTime='1'/><Transform id='score_transform'><Scale id='score_scale'>"
           "<Parameters id='score_color'/><TestText id='score_text'/></Scale></Transform></Namespace></Graph>";
}

inline std::string CloudTemplate()
{
    std::string types;
    for (int i = 0; i < 5; ++i)
        types += "<Namespace id='type" + std::to_string(i) +
                 "'><Switch id='opacity'><Transform/><Transform/></Switch></Namespace>";
    return "<Graph replication='0'><Namespace id='clouds{replication}' activeAndVisible='false'>"
           "<Transform id='position'><Parameters id='parameters'/><Switch id='select'>" +
           types + "</Switch></Transform></Namespace></Graph>";
}

// The pools of the play field that every stage graph holds below its base path, of the given
// sizes; the rocks lie in FramebufferXml.
inline std::string PlayPoolsXml(UInt32 animals, UInt32 courses, UInt32 scores = 8, UInt32 clouds = 4)
{
    auto instance = [](const char* id, const char* graph, UInt32 count) {
        return std::string("<Instance id='") + id + "' graphResourceId='" + graph + "' replications='" +
               std::to_string(count) + "'/>";
    };
    return instance("ashexplosion_container", "p:ash", 2) + instance("iceexplosion_container", "p:ice", 2) +
           instance("animal_container", "p:animal", animals) + instance("weapon_container", "p:weapon", 4) +
           instance("obstacle_container", "p:obstacle", 2) + instance("course_container", "p:course", courses) +
           instance("clouds_container", "p:clouds", clouds) + instance("scoretext_container", "p:scores", scores);
}

// The nodes of the processors' signs and score bar below "/stage_game".
inline std::string PlaySignsXml()
{
    const std::string texts = "<TestText id='value_rings'/><TestText id='value_score'/><TestText id='word_pause'/>"
                              "<TestText id='word_rings'/><TestText id='word_score'/><TestText id='word_stage'/>";
    return "<Transform id='playfield'/>"
           "<Namespace id='hurryup' activeAndVisible='false'><Timeline id='timeline' endTime='1'/></Namespace>"
           "<Namespace id='skull' activeAndVisible='false'><Timeline id='timeline' endTime='1'/>"
           "<Transform id='position'/></Namespace>"
           "<Namespace id='scorebar'><Transform id='position'>"
           "<Namespace id='bar'><Switch id='ipadscorebar'><Node/><Node/><Node/><Node/></Switch>"
           "<Button id='pause_button' sizeX='40' sizeY='40'/></Namespace>"
           "<Switch id='select'><Namespace id='normal_texts'>" +
           texts + "</Namespace><Namespace id='band_texts'>" + texts +
           "</Namespace></Switch>"
           "<Namespace id='normal'><Transform id='word_score' posX='3.3' posY='2.6'/><Transform id='word_rings'/>"
           "<Transform id='word_pause'/><Transform id='value_score'/><Transform id='value_rings'/>"
           "<Button id='pause_button' sizeX='40' sizeY='40'/>"
           "</Namespace></Transform></Namespace>";
}

// A text node that counts its writes ("TestText").
class CountingText : public TextNode
{
public:
    static Graph::INode* Create() { return new CountingText(); }
    void SetText(const String& text) override
    {
        ++mWrites;
        TextNode::SetText(text);
    }
    UInt32 mWrites = 0;
};

inline void AddPoolGraphs(FakeResourceCollection& collection)
{
    collection.AddGraph("p:animal", AnimalTemplate().c_str());
    collection.AddGraph("p:course", CourseTemplate().c_str());
    collection.AddGraph("p:clouds", CloudTemplate().c_str());
    collection.AddGraph("p:scores", ScoreTextTemplate().c_str());
    collection.AddGraph("p:ash", TimedExplosionTemplate("ashexplosion").c_str());
    collection.AddGraph("p:ice", TimedExplosionTemplate("iceexplosion").c_str());
    collection.AddGraph("p:weapon", WeaponTemplate().c_str());
    collection.AddGraph("p:obstacle", ObstacleTemplate().c_str());
    collection.AddGraph("p:rock", RockTemplate().c_str());
}

class PlayStageFixture : public ViewSceneFixture
{
protected:
    PlayStageFixture()
        : mClasses(mFactory, {{"TestText", &CountingText::Create}}),
          mEngineState(mLogicFactory.CreateState(&mDevices, &mConfiguration, &mLoader, nullptr)),
          mState(mEngineState->GetState()),
          mContext(&mLogicFactory, 1280.0f, 800.0f),
          mField(&mContext)
    {
    }
    ~PlayStageFixture() override { mLogicFactory.DestroyState(mEngineState); }

    // Builds the stage graph (pools of the given sizes, the signs and the sounds plus any extra
    // nodes) and binds the play field to it.
    void MakeStage(UInt32 animals = 40, UInt32 courses = 3, const std::string& extra = "")
    {
        AddPoolGraphs(mCollection);
        std::string body = "<View><PerspectiveCamera fieldOfViewX='1' zw='100'/><Namespace id='sounds'>";
        for (const char* const* name = PlaySoundNames(); *name != nullptr; ++name)
            body += std::string("<Namespace id='") + *name +
                    "'><Timeline id='timeline' endTime='10'><AudioSequence id='sequence'/></Timeline></Namespace>";
        body += "</Namespace><Namespace id='stage_game'>" + PlayPoolsXml(animals, courses) + PlaySignsXml() + extra +
                "</Namespace>" + FramebufferXml(2) + "</View>";
        mScene = Scene(body);
        ASSERT_NE(mScene, nullptr);
        mEngineState->SetGraphRoot(mRoot.get());
        mContext.GetSoundContainer()->BuildTable(mScene);
        ASSERT_TRUE(mField.Init(mScene, "/stage_game"));
        Game()->SetViewFloats(1280.0f, 800.0f, 0.0f);
    }
    void TearDown() override
    {
        EXPECT_TRUE(mField.DeInit());
        EXPECT_TRUE(mContext.GetSoundContainer()->DeInit());
    }

    App::GameState* Game() { return mContext.GetGameState(); }

    // Whether the sound's timeline runs; a sound that played is stopped again for the next look.
    Bool TakeSound(const char* name)
    {
        Graph::ITimeline* timeline = Find<Graph::ITimeline>(mScene, (std::string("sounds/") + name + "/timeline").c_str());
        if (timeline == nullptr || !timeline->IsRunning())
            return false;
        timeline->Stop();
        return true;
    }

    // One logic step of the processor alone, of dt seconds.
    void Step(Logic::BaseChildProcessor& processor, Double dt = 1.0 / 60.0)
    {
        mEngineState->SetCurrentTickDuration(dt);
        processor.GetProcessor()->Step(mState);
    }

    NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    FakeLogicDeviceHandler mDevices;
    FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    Logic::IState* mState;
    App::AppContext mContext;
    App::Playfield mField;
    Graph::INamespace* mScene = nullptr;
};

} // namespace Testing
} // namespace Vorn
