#include <gtest/gtest.h>

#include <string>

#include "game/popup.h"
#include "graph/input/button.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "input/input_device_handler.h"
#include "input/input_touchable_handler.h"
#include "resource/native_font.h"
#include "tests/support/font_fixture.h"
#include "tests/support/popup_graph.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

std::string PopupGraph(const std::string& cancel = Testing::PopupCancelButton())
{
    return Testing::PopupGraph("p:font", cancel);
}

class PopupTest : public Testing::ViewSceneFixture
{
protected:
    PopupTest() : ViewSceneFixture(&mTouchables)
    {
        mDevices.Init(&mConfiguration);
        mMouse = mDevices.CreateMouseDevice();
        mCollection.AddObject("p:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile());
        mClock.mStepDuration = 0.1;
        mProcessLogicState.Begin();
    }
    void SetUp() override
    {
        mScene = Scene(PopupGraph());
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mPopup.Init(mScene, Enums::Language::ENGLISH));
        Step(); // sets the camera's projection up
    }
    void TearDown() override
    {
        EXPECT_TRUE(mPopup.DeInit());
        EXPECT_TRUE(DestroyScene()); // the areas go back while the handler lives
    }

    // One logic tick as the engine runs it: input, the graph's step, the touch reports, then the
    // pop-up's processing; its result.
    UInt32 Step(Bool back = false)
    {
        mDevices.Update();
        EXPECT_TRUE(mDevices.ResetTouchables(&mTouchables));
        EXPECT_TRUE(RunLogic());
        EXPECT_TRUE(mDevices.UpdateTouchables(&mTouchables));
        EXPECT_TRUE(RunOutput());
        mPopup.Process(back);
        return mPopup.GetResult();
    }
    // A left click on the named button where the graph puts it, pressed in one tick and released
    // in the next (or back pressed, for no name); the result of the release tick. The press tick
    // never has a result.
    UInt32 Tick(const char* clicked = nullptr, Bool back = false)
    {
        if (clicked == nullptr)
            return Step(back);
        const Math::Matrix<float>& at = Matrix(clicked);
        const Float x = at[12] / 640.0f;
        const Float y = at[13] / 400.0f;
        mMouse->SetPointer(InputAction::kMove, 5, x, y);
        mMouse->SetPointer(InputAction::kDown, 0, x, y);
        EXPECT_EQ(Step(), 0u);
        mMouse->SetPointer(InputAction::kUp, 0, x, y);
        return Step(back);
    }
    // Ticks until the running animation has played.
    void PlayAnimation()
    {
        for (int i = 0; i < 10 && !mPopup.IsAnimationDone(); ++i)
            EXPECT_EQ(Tick(), 0u);
        EXPECT_TRUE(mPopup.IsAnimationDone());
    }
    template <typename T>
    T* Node(const char* id)
    {
        return Find<T>(mScene, (std::string("popup/") + id).c_str());
    }
    std::string TextOf(const char* id) { return Node<Graph::IText>(id)->GetText().GetText(); }
    const Math::Matrix<float>& Matrix(const char* id)
    {
        return static_cast<const Graph::ITransform*>(Node<Graph::Transform>(id))->GetTransform();
    }
    Bool Shown(const char* id) { return Node<Graph::INode>(id)->IsActiveAndVisible(); }

    Input::TouchableHandler mTouchables;
    Input::DeviceHandler mDevices;
    IMouse* mMouse = nullptr;
    Graph::INamespace* mScene = nullptr;
    Popup mPopup;
};

TEST_F(PopupTest, AnswersWithTheButtonClickedAfterTheOpeningForOneTickThenCloses)
{
    EXPECT_FALSE(mPopup.IsOpen());
    mPopup.ShowTwoButtons("quitGame", "QUIT?", "YES", "NO");
    EXPECT_TRUE(mPopup.IsOpen());
    EXPECT_EQ(TextOf("message"), "QUIT?");
    EXPECT_EQ(TextOf("message_small"), "");
    EXPECT_EQ(TextOf("button_text1"), "YES");
    EXPECT_EQ(TextOf("button_text2"), "NO");
    EXPECT_FLOAT_EQ(Matrix("button1")[12], -160.0f);
    EXPECT_FLOAT_EQ(Matrix("button2")[12], 160.0f);
    EXPECT_FLOAT_EQ(Matrix("message")[13], 58.0f);
    EXPECT_TRUE(Shown("button1") && Shown("button2") && Shown("button_cancel"));
    EXPECT_FALSE(Shown("button3"));
    EXPECT_TRUE(mPopup.IsAction("quitGame"));
    EXPECT_FALSE(mPopup.IsAction("quitgame"));

    // A click while it opens is lost.
    EXPECT_EQ(Tick("button1"), 0u);
    PlayAnimation();
    EXPECT_TRUE(mPopup.IsOpen());

    EXPECT_EQ(Tick("button2"), 2u);
    EXPECT_FALSE(mPopup.IsAnimationDone());
    EXPECT_EQ(Tick(), 0u);
    PlayAnimation();
    EXPECT_FALSE(mPopup.IsOpen());
    EXPECT_EQ(Tick("button1"), 0u);
}

TEST_F(PopupTest, CancelAndBackAnswerOnlyWhileTheCancelButtonShows)
{
    struct Case
    {
        Bool notice;
        const char* clicked;
        Bool back;
        UInt32 result;
    };
    const Case cases[] = {
        {false, "button1", false, 1u},      {false, "button_cancel", false, 100u}, {false, nullptr, true, 100u},
        {true, nullptr, true, 0u},          {true, "button1", false, 0u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.notice ? "notice " : "one button ") + (c.clicked ? c.clicked : "back"));
        if (c.notice)
            mPopup.ShowMessage("saving", "SAVING...");
        else
            mPopup.ShowOneButton("info", "DONE", "OK");
        PlayAnimation();
        EXPECT_EQ(Tick(c.clicked, c.back), c.result);
        if (c.result == 0u)
            mPopup.Close();
        PlayAnimation();
        EXPECT_FALSE(mPopup.IsOpen());
    }
    // The last opening was the notice: no buttons, the message in the middle.
    EXPECT_FALSE(Shown("button1") || Shown("button2") || Shown("button3") || Shown("button_cancel"));
    EXPECT_FLOAT_EQ(Matrix("message")[13], 0.0f);
    mPopup.ShowOneButton("info", "DONE", "");
    EXPECT_FLOAT_EQ(Matrix("button1")[12], 0.0f);
    EXPECT_TRUE(Shown("button1") && Shown("button_cancel"));
    EXPECT_FALSE(Shown("button2"));
    EXPECT_EQ(TextOf("button_text1"), "OK"); // an empty caption keeps the old one
}

TEST_F(PopupTest, ASecondQuestionReplacesTheFirst)
{
    mPopup.ShowTwoButtons("deletePlayerSlot", "DELETE?", "YES", "NO");
    PlayAnimation();
    mPopup.ShowTwoButtons("onlineScore", "ENABLE GLOBAL HIGH SCORE LIST?", "INTERNET CONNECTION REQUIRED.", "",
                          "NEVER");
    EXPECT_FALSE(mPopup.IsAction("deletePlayerSlot"));
    EXPECT_TRUE(mPopup.IsAction("onlineScore"));
    EXPECT_EQ(TextOf("message_small"), "INTERNET CONNECTION REQUIRED.");
    EXPECT_EQ(TextOf("button_text1"), "YES");
    EXPECT_EQ(TextOf("button_text2"), "NEVER");
    EXPECT_FLOAT_EQ(Matrix("message")[13], 82.0f);
    // The opening plays again.
    EXPECT_EQ(Tick("button1"), 0u);
    PlayAnimation();
    EXPECT_EQ(Tick("button1"), 1u);
}

TEST(PopupInitTest, FailsOnAMissingNode)
{
    Popup unbound;
    EXPECT_FALSE(unbound.Init(nullptr, Enums::Language::ENGLISH));
    unbound.ShowOneButton("info", "DONE", "OK");
    unbound.Process(true);
    EXPECT_EQ(unbound.GetResult(), 0u);
    EXPECT_FALSE(unbound.IsOpen());
    EXPECT_TRUE(unbound.DeInit());
}

class PopupMissingNodeTest : public PopupTest
{
protected:
    void SetUp() override {}
};

TEST_F(PopupMissingNodeTest, FailsWithoutTheCancelButton)
{
    mScene = Scene(PopupGraph(""));
    ASSERT_NE(mScene, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mPopup.Init(mScene, Enums::Language::ENGLISH));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("button_cancel"), std::string::npos);
    mPopup.ShowMessage("saving", "SAVING...");
    EXPECT_FALSE(mPopup.IsOpen());
}

} // namespace
} // namespace App
} // namespace Vorn
