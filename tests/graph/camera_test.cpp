#include "graph/view/camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "graph/view/orthographic_camera.h"
#include "graph/view/perspective_camera.h"
#include "tests/support/fake_view.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Enums::HorizontalAlignment;
using Enums::ScreenOrientation;
using Enums::VerticalAlignment;

// A view with settable display scale and pixel offset.
class ScreenView : public Testing::FakeView
{
public:
    ScreenView(UInt32 width, UInt32 height, ScreenOrientation orientation)
    {
        mWidth = width;
        mHeight = height;
        mOrientation = orientation;
    }
    Float GetDisplayScaleX() const override { return mScaleX; }
    Float GetDisplayScaleY() const override { return mScaleY; }
    Float GetPixelOffsetX() const override { return mOffsetX; }
    Float GetPixelOffsetY() const override { return mOffsetY; }
    Float mScaleX = 1.0f;
    Float mScaleY = 1.0f;
    Float mOffsetX = 0.0f;
    Float mOffsetY = 0.0f;
};

Math::Vector<float> Translation(const Math::Matrix<float>& matrix)
{
    return Math::Vector<float>(matrix[12], matrix[13], matrix[14], matrix[15]);
}

void ExpectNear(const Math::Vector<float>& actual, const Math::Vector<float>& expected, Float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

// ---------------------------------------------------------------------------------------------
// Initialisation

struct InitCase
{
    const char* mAttributes;
    const char* mMessage; // null: Init succeeds
};

class CameraInitTest : public Testing::ViewSceneFixture, public ::testing::WithParamInterface<InitCase>
{
};

TEST_P(CameraInitTest, NeedsOneExtentAndNeverBothFormsOnAnAxis)
{
    const InitCase& test = GetParam();
    ASSERT_NE(Build(std::string("<View><PerspectiveCamera id='c' ") + test.mAttributes + "/></View>"), nullptr);
    ::testing::internal::CaptureStderr();
    const Bool initialized = Init();
    const std::string log = ::testing::internal::GetCapturedStderr();
    if (test.mMessage == nullptr) {
        EXPECT_TRUE(initialized) << log;
        EXPECT_EQ(mDisplay.CountLive("Camera"), 1u);
        EXPECT_EQ(mInput.mLiveObjects.size(), 1u);
        return;
    }
    EXPECT_FALSE(initialized);
    EXPECT_NE(log.find(std::string("Graph::Camera::InitSelf(c): ") + test.mMessage), std::string::npos) << log;
    // A refused camera made nothing.
    EXPECT_EQ(mDisplay.mCreatedCount, 0u);
    EXPECT_TRUE(mInput.mLiveObjects.empty());
    EXPECT_TRUE(DeInit());
}

INSTANTIATE_TEST_SUITE_P(
    Extents, CameraInitTest,
    ::testing::Values(InitCase{"", "Must at least specify one non-zero value for X/Y field of view or unit size"},
                      InitCase{"fieldOfViewX='1' unitSizeX='2'",
                               "Cannot specify both field of view and unit size in X direction"},
                      InitCase{"fieldOfViewY='1' unitSizeY='2'",
                               "Cannot specify both field of view and unit size in Y direction"},
                      InitCase{"fieldOfViewX='1' unitSizeY='2'", nullptr},
                      InitCase{"unitSizeX='1'", nullptr}));

class CameraTest : public Testing::ViewSceneFixture
{
};

TEST_F(CameraTest, InitHandsItsSettingsToANewDisplayCameraAndDeInitDestroysIt)
{
    Build("<View>"
          "<PerspectiveCamera id='p' fieldOfViewY='1' clearColorBuffer='false' backgroundColor='0.25,0.5,0.75,0.5'"
          " depthOrder='3' depthSortMode='DISTANCE' clipPlaneD='4'/>"
          "<OrthographicCamera id='o' unitSizeX='1' depthSortMode='SIDEWAYS' clipPlaneC='1'/>"
          "</View>");
    ASSERT_TRUE(Init());
    Graph::INamespace* scene = dynamic_cast<Graph::INamespace*>(mTop->GetChild(0));
    PerspectiveCamera* perspective = Find<PerspectiveCamera>(scene, "p");
    OrthographicCamera* orthographic = Find<OrthographicCamera>(scene, "o");
    ASSERT_NE(perspective, nullptr);
    ASSERT_NE(orthographic, nullptr);

    auto* display = dynamic_cast<Testing::FakeCamera*>(perspective->GetDisplayCamera());
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(display->mClearColor);
    EXPECT_TRUE(display->mClearDepth);
    EXPECT_EQ(display->mColor[0], 0.25f);
    EXPECT_EQ(display->mColor[1], 0.5f);
    EXPECT_EQ(display->mColor[2], 0.75f);
    EXPECT_EQ(display->mColor[3], 0.5f);
    EXPECT_EQ(display->mDepthOrder, 3);
    EXPECT_EQ(display->mSortMode, Enums::DepthSortMode::DISTANCE);
    // D alone does not make a plane.
    EXPECT_FALSE(perspective->IsClipPlaneEnabled());

    auto* other = dynamic_cast<Testing::FakeCamera*>(orthographic->GetDisplayCamera());
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->mClearColor);
    EXPECT_EQ(other->mColor[3], 1.0f);
    EXPECT_EQ(UInt32(other->mSortMode), 0u);
    EXPECT_TRUE(orthographic->IsClipPlaneEnabled());

    // One screen projection each, of the camera's own type.
    std::vector<Enums::ProjectionType> types;
    for (void* object : mInput.mLiveObjects)
        types.push_back(static_cast<Testing::FakeScreenProjection*>(object)->mType);
    EXPECT_EQ(types.size(), 2u);
    EXPECT_EQ(std::count(types.begin(), types.end(), Enums::ProjectionType::ORTHOGONAL), 1);

    ASSERT_TRUE(DeInit());
    EXPECT_EQ(mDisplay.CountLive("Camera"), 0u);
    EXPECT_TRUE(mInput.mLiveObjects.empty());
    EXPECT_EQ(perspective->GetDisplayCamera(), nullptr);
}

TEST_F(CameraTest, RefusedDisplayCameraFailsInitAndLeavesNothing)
{
    mDisplay.mRefusedClasses.insert("Camera");
    Build("<View><PerspectiveCamera id='c' fieldOfViewY='1'/></View>");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Graph::Camera::InitSelf(c): Failed to create display camera"), std::string::npos) << log;
    EXPECT_TRUE(DeInit());
    EXPECT_TRUE(mInput.mLiveObjects.empty());
}

// ---------------------------------------------------------------------------------------------
// Pixel mask

struct MaskCase
{
    const char* mName;
    UInt32 mWidth;
    UInt32 mHeight;
    ScreenOrientation mOrientation;
    SInt32 mCoords[4]; // left, right, top, bottom
    HorizontalAlignment mLeftAnchor;
    HorizontalAlignment mRightAnchor;
    VerticalAlignment mTopAnchor;
    VerticalAlignment mBottomAnchor;
    SInt32 mExpected[4]; // left, right, bottom, top
};

constexpr HorizontalAlignment kLeft = HorizontalAlignment::LEFT;
constexpr HorizontalAlignment kHCenter = HorizontalAlignment::CENTER;
constexpr HorizontalAlignment kRight = HorizontalAlignment::RIGHT;
constexpr VerticalAlignment kTop = VerticalAlignment::TOP;
constexpr VerticalAlignment kVCenter = VerticalAlignment::CENTER;
constexpr VerticalAlignment kBottom = VerticalAlignment::BOTTOM;

const MaskCase kMaskCases[] = {
    {"defaults cover the view", 1280, 800, ScreenOrientation::PORTRAIT_1, {0, 0, 0, 0}, kLeft, kRight, kTop, kBottom,
     {0, 1280, 0, 800}},
    {"insets from each edge", 1280, 800, ScreenOrientation::PORTRAIT_1, {10, -10, -20, 20}, kLeft, kRight, kTop,
     kBottom, {10, 1270, 20, 780}},
    {"clamped to the view", 1280, 800, ScreenOrientation::PORTRAIT_1, {-50, 5000, 5000, -30}, kLeft, kLeft, kBottom,
     kBottom, {0, 1280, 0, 800}},
    {"inverted edges collapse", 1280, 800, ScreenOrientation::PORTRAIT_1, {700, 600, 100, 500}, kLeft, kLeft,
     kBottom, kBottom, {700, 700, 500, 500}},
    {"centre anchors on odd sizes", 1281, 801, ScreenOrientation::PORTRAIT_1, {-10, 10, 5, -5}, kHCenter, kHCenter,
     kVCenter, kVCenter, {630, 650, 395, 405}},
    {"an unlisted orientation is upright", 1280, 800, ScreenOrientation::DEFAULT, {10, -10, -20, 20}, kLeft, kRight,
     kTop, kBottom, {10, 1270, 20, 780}},
    {"flipped", 1280, 800, ScreenOrientation::PORTRAIT_2, {10, -20, -40, 30}, kLeft, kRight, kTop, kBottom,
     {20, 1270, 40, 770}},
    {"turned clockwise", 1280, 800, ScreenOrientation::LANDSCAPE_1, {10, -20, -40, 30}, kLeft, kRight, kTop, kBottom,
     {30, 1240, 20, 790}},
    {"turned counter-clockwise", 1280, 800, ScreenOrientation::LANDSCAPE_2, {10, -20, -40, 30}, kLeft, kRight, kTop,
     kBottom, {40, 1250, 10, 780}},
    // W - (640 + 10) would be 631: a mirrored centre edge is measured from the half width.
    {"flipped centre edge on an odd width", 1281, 801, ScreenOrientation::PORTRAIT_2, {10, 100, 0, 0}, kHCenter,
     kRight, kTop, kBottom, {0, 630, 0, 801}},
};

TEST(CameraMaskTest, PlacesTheAnchoredEdgesForEveryOrientation)
{
    for (const MaskCase& test : kMaskCases) {
        SCOPED_TRACE(test.mName);
        PerspectiveCamera camera;
        camera.SetMaskCoords(test.mCoords[0], test.mCoords[1], test.mCoords[2], test.mCoords[3]);
        camera.SetMaskAnchors(test.mLeftAnchor, test.mRightAnchor, test.mTopAnchor, test.mBottomAnchor);
        ScreenView view(test.mWidth, test.mHeight, test.mOrientation);
        camera.UpdateMask(&view);
        const SInt32* mask = camera.GetMask();
        EXPECT_EQ(std::vector<SInt32>(mask, mask + 4), std::vector<SInt32>(test.mExpected, test.mExpected + 4));
    }
}

TEST(CameraMaskTest, ExtremeCoordinatesClampWithoutOverflow)
{
    PerspectiveCamera camera;
    camera.SetMaskCoords(0x7FFFFFFF, 0x7FFFFFFF, -0x7FFFFFFF - 1, 0x7FFFFFFF);
    ScreenView view(1280, 800, ScreenOrientation::PORTRAIT_1);
    camera.UpdateMask(&view);
    const SInt32* mask = camera.GetMask();
    EXPECT_EQ(std::vector<SInt32>(mask, mask + 4), (std::vector<SInt32>{1280, 1280, 800, 800}));
}

// ---------------------------------------------------------------------------------------------
// Projection

struct ProjectionCase
{
    const char* mName;
    Bool mOrthographic;
    ScreenOrientation mOrientation;
    Float mFieldOfView[2];
    Float mUnitSize[2];
    Float mCenter[2];
    Float mDisplayScale;
    Float mPixelOffset[2];
    // The non-zero elements; every other element must be 0.
    std::vector<std::pair<UInt32, Float>> mElements;
};

// Near 1 and far 3 throughout: perspective m10 = -2, m14 = -3; orthographic m10 = -1, m14 = -2.
const ProjectionCase kProjectionCases[] = {
    {"field of view Y alone takes the view's aspect", false, ScreenOrientation::PORTRAIT_1, {0, 2}, {0, 0}, {0, 0},
     1.0f, {0, 0}, {{0, 2.0f / 3.2f}, {5, 1.0f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"unit size 1 spans the pixels", false, ScreenOrientation::PORTRAIT_1, {0, 0}, {1, 0}, {0, 0}, 1.0f, {0, 0},
     {{0, 2.0f / 1280.0f}, {5, 2.0f / 800.0f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"display scale divides the unit size", false, ScreenOrientation::PORTRAIT_1, {0, 0}, {0, 2}, {0, 0}, 2.0f,
     {0, 0}, {{0, 2.0f / 320.0f}, {5, 2.0f / 200.0f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"centre at the right edge", false, ScreenOrientation::PORTRAIT_1, {2, 2}, {0, 0}, {1, 0}, 1.0f, {0, 0},
     {{0, 1.0f}, {5, 1.0f}, {8, -1.0f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"pixel offset shifts the centre", false, ScreenOrientation::PORTRAIT_1, {2, 2}, {0, 0}, {0, 0}, 1.0f,
     {0.5f, 0.25f}, {{0, 1.0f}, {5, 1.0f}, {8, -1.0f / 1280.0f}, {9, -0.5f / 800.0f}, {10, -2.0f}, {11, -1.0f},
                     {14, -3.0f}}},
    {"turned clockwise", false, ScreenOrientation::LANDSCAPE_1, {2, 1}, {0, 0}, {0.5f, 0}, 1.0f, {0, 0},
     {{1, -1.0f}, {4, 2.0f}, {8, -0.5f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"turned clockwise derives X from the turned aspect", false, ScreenOrientation::LANDSCAPE_1, {0, 1}, {0, 0},
     {0, 0}, 1.0f, {0, 0}, {{1, -2.0f / 0.625f}, {4, 2.0f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"flipped", false, ScreenOrientation::PORTRAIT_2, {2, 1}, {0, 0}, {0.5f, 0.5f}, 1.0f, {0, 0},
     {{0, -1.0f}, {5, -2.0f}, {8, 0.5f}, {9, 0.5f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"turned counter-clockwise", false, ScreenOrientation::LANDSCAPE_2, {2, 1}, {0, 0}, {0.5f, 0}, 1.0f, {0, 0},
     {{1, 1.0f}, {4, -2.0f}, {8, 0.5f}, {10, -2.0f}, {11, -1.0f}, {14, -3.0f}}},
    {"orthographic symmetric", true, ScreenOrientation::PORTRAIT_1, {4, 2}, {0, 0}, {0, 0}, 1.0f, {0, 0},
     {{0, 0.5f}, {5, 1.0f}, {10, -1.0f}, {14, -2.0f}, {15, 1.0f}}},
    {"orthographic centre at the right edge", true, ScreenOrientation::PORTRAIT_1, {4, 2}, {0, 0}, {1, 0}, 1.0f,
     {0, 0}, {{0, 0.5f}, {5, 1.0f}, {10, -1.0f}, {12, 1.0f}, {14, -2.0f}, {15, 1.0f}}},
    {"orthographic turned clockwise", true, ScreenOrientation::LANDSCAPE_1, {4, 2}, {0, 0}, {0, 1}, 1.0f, {0, 0},
     {{1, -0.5f}, {4, 1.0f}, {12, 1.0f}, {10, -1.0f}, {14, -2.0f}, {15, 1.0f}}},
};

TEST(CameraProjectionTest, BuildsTheProjectionForEveryOrientation)
{
    for (const ProjectionCase& test : kProjectionCases) {
        SCOPED_TRACE(test.mName);
        PerspectiveCamera perspective;
        OrthographicCamera orthographic;
        Camera& camera = test.mOrthographic ? static_cast<Camera&>(orthographic) : perspective;
        camera.SetFieldOfView(test.mFieldOfView[0], test.mFieldOfView[1]);
        camera.SetUnitSize(test.mUnitSize[0], test.mUnitSize[1]);
        camera.SetCenter(test.mCenter[0], test.mCenter[1]);
        camera.SetDepthRange(1.0f, 3.0f);
        ScreenView view(1280, 800, test.mOrientation);
        view.mScaleX = view.mScaleY = test.mDisplayScale;
        view.mOffsetX = test.mPixelOffset[0];
        view.mOffsetY = test.mPixelOffset[1];
        EXPECT_TRUE(camera.UpdateProjection(&view));
        EXPECT_FALSE(camera.IsProjectionDirty());

        Math::Matrix<float> expected = Math::Matrix<float>::Zero();
        for (const auto& element : test.mElements)
            expected[element.first] = element.second;
        const Math::Matrix<float>& actual = camera.GetProjectionMatrix();
        for (UInt32 i = 0; i < 16; ++i)
            EXPECT_FLOAT_EQ(actual[i], expected[i]) << "element " << i;

        // The inverse belongs to the unturned projection.
        const Math::Matrix<float>& inverse = camera.GetInverseProjectionMatrix();
        EXPECT_EQ(inverse[1], 0.0f);
        EXPECT_EQ(inverse[4], 0.0f);
        EXPECT_GT(inverse[0], 0.0f);
        EXPECT_GT(inverse[5], 0.0f);
    }
}

TEST(CameraProjectionTest, OnlyThePerspectiveCameraHasPlanesAndAngles)
{
    PerspectiveCamera perspective;
    OrthographicCamera orthographic;
    ScreenView view(1280, 800, ScreenOrientation::PORTRAIT_1);
    perspective.SetFieldOfViewY(1.0f);
    orthographic.SetFieldOfViewY(1.0f);
    EXPECT_EQ(perspective.GetFrustumPlanes(), nullptr);
    EXPECT_EQ(perspective.GetProjectionAngles(), nullptr);
    perspective.UpdateProjection(&view);
    orthographic.UpdateProjection(&view);
    EXPECT_EQ(orthographic.GetFrustumPlanes(), nullptr);
    EXPECT_EQ(orthographic.GetProjectionAngles(), nullptr);

    Math::Vector<float> planes[6];
    perspective.GetProjectionMatrix().GetFrustumPlanes(planes);
    Float angles[4];
    Math::Matrix<float>::GetProjectionAngles(planes, angles);
    ASSERT_NE(perspective.GetFrustumPlanes(), nullptr);
    for (UInt32 i = 0; i < 6; ++i)
        EXPECT_EQ(perspective.GetFrustumPlanes()[i], planes[i]);
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(perspective.GetProjectionAngles()[i], angles[i]);
    // The corner (0.8, 0.5) of the near plane at distance 1.
    EXPECT_NEAR(angles[3], std::sqrt(0.8f * 0.8f + 0.5f * 0.5f), 1e-3f);
}

TEST(CameraProjectionTest, InputsWithoutAFiniteProjectionLeaveItDirtyForTheNextPass)
{
    struct Case
    {
        const char* mName;
        UInt32 mWidth;
        UInt32 mHeight;
        Float mNear;
        Float mFar;
    };
    const Case cases[] = {
        {"empty view", 0, 0, 1.0f, 10.0f},
        {"no height", 640, 0, 1.0f, 10.0f},
        {"equal planes", 640, 480, 5.0f, 5.0f},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        PerspectiveCamera camera;
        camera.SetFieldOfViewY(1.0f);
        camera.SetDepthRange(test.mNear, test.mFar);
        ScreenView view(test.mWidth, test.mHeight, ScreenOrientation::PORTRAIT_1);
        EXPECT_TRUE(camera.UpdateProjection(&view));
        EXPECT_TRUE(camera.IsProjectionDirty());
        EXPECT_EQ(camera.GetProjectionMatrix(), Math::Matrix<float>::Zero());

        view.mWidth = 640;
        view.mHeight = 480;
        camera.SetDepthRange(1.0f, 10.0f);
        camera.UpdateProjection(&view);
        EXPECT_FALSE(camera.IsProjectionDirty());
        for (UInt32 i = 0; i < 16; ++i)
            EXPECT_TRUE(std::isfinite(camera.GetProjectionMatrix()[i]));
    }
    // A zero field of view set at run time is no projection either.
    PerspectiveCamera camera;
    ScreenView view(640, 480, ScreenOrientation::PORTRAIT_1);
    camera.UpdateProjection(&view);
    EXPECT_TRUE(camera.IsProjectionDirty());
}

// ---------------------------------------------------------------------------------------------
// Unprojection

TEST(CameraProjectionTest, UnprojectsAScreenPointToTheGivenDepth)
{
    ScreenView square(800, 800, ScreenOrientation::PORTRAIT_1);
    PerspectiveCamera perspective;
    perspective.SetFieldOfView(2.0f, 2.0f);
    perspective.SetDepthRange(1.0f, 100.0f);
    perspective.UpdateProjection(&square);

    // The point (1, 0.5, -2) projects to (0.5, 0.25).
    const Math::Vector<float> clip = perspective.GetProjectionMatrix() * Math::Vector<float>(1.0f, 0.5f, -2.0f, 1.0f);
    EXPECT_FLOAT_EQ(clip.x / clip.w, 0.5f);
    EXPECT_FLOAT_EQ(clip.y / clip.w, 0.25f);

    Math::Vector<float> out;
    ExpectNear(perspective.UnprojectScreenPoint(out, 0.5f, 0.25f, -2.0f), Math::Vector<float>(1.0f, 0.5f, -2.0f, 1.0f));
    ExpectNear(perspective.UnprojectScreenPoint(out, 0.5f, 0.25f, -10.0f),
               Math::Vector<float>(5.0f, 2.5f, -10.0f, 1.0f));

    // With a near plane other than 1 the depth still comes out as asked.
    OrthographicCamera orthographic;
    orthographic.SetFieldOfView(4.0f, 2.0f);
    orthographic.SetDepthRange(2.0f, 10.0f);
    orthographic.UpdateProjection(&square);
    ExpectNear(orthographic.UnprojectScreenPoint(out, 0.5f, -0.5f, -7.0f),
               Math::Vector<float>(1.0f, -0.5f, -7.0f, 1.0f));
    ExpectNear(orthographic.UnprojectScreenPoint(out, 0.5f, -0.5f, -3.0f),
               Math::Vector<float>(1.0f, -0.5f, -3.0f, 1.0f));
}

// ---------------------------------------------------------------------------------------------
// Passes

TEST_F(CameraTest, LogicStepTakesTheWorldMatrixAndRegistersTheScreenProjection)
{
    Graph::INamespace* scene =
        Scene("<View><Transform posX='1' posY='2' posZ='3'>"
              "<PerspectiveCamera id='c' fieldOfViewX='2' fieldOfViewY='2' nearPlane='0.5'/>"
              "</Transform></View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(RunLogic());
    EXPECT_EQ(Translation(camera->GetWorldMatrix()), Math::Vector<float>(1, 2, 3, 1));
    EXPECT_EQ(Translation(camera->GetViewMatrix()), Math::Vector<float>(-1, -2, -3, 1));
    ASSERT_EQ(mInput.mViews.size(), 1u);
    auto* projection = static_cast<Testing::FakeScreenProjection*>(mInput.mViews[0].object);
    EXPECT_EQ(mInput.mViews[0].transform, camera->GetWorldMatrix());

    // The projection reaches the screen projection in the logic step after it was computed.
    ASSERT_TRUE(RunOutput());
    EXPECT_EQ(projection->mDepth, 0.0f);
    ASSERT_TRUE(RunLogic());
    EXPECT_EQ(projection->mDepth, 0.5f);
    EXPECT_EQ(projection->mMatrix, camera->GetInverseProjectionMatrix());

    Math::Vector<float> out;
    ExpectNear(camera->GetWorldPoint(out, 0.0f, 0.0f, -4.0f), Math::Vector<float>(1.0f, 2.0f, -1.0f, 1.0f));
}

TEST_F(CameraTest, ViewMatrixUndoesARotatedWorld)
{
    Graph::INamespace* scene =
        Scene("<View><Transform axisY='1' angle='30d' posX='4' posZ='-2'>"
              "<PerspectiveCamera id='c' fieldOfViewY='1'/></Transform></View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    ASSERT_TRUE(RunLogic());
    const Math::Matrix<float> product = camera->GetViewMatrix() * camera->GetWorldMatrix();
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_NEAR(product[i], Math::Matrix<float>()[i], 1e-5f) << "element " << i;
}

TEST_F(CameraTest, HandsMaskAndProjectionOnlyWhenTheyChange)
{
    Graph::INamespace* scene = Scene("<View id='v'><PerspectiveCamera id='c' fieldOfViewY='2'"
                                     " leftMaskCoord='10' rightMaskCoord='-10'/></View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    View* view = Find<View>(scene, "v");
    auto* display = static_cast<Testing::FakeCamera*>(camera->GetDisplayCamera());

    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(view->GetCamera(), static_cast<ICamera*>(camera));
    EXPECT_EQ(camera->GetView(), static_cast<IView*>(view));
    EXPECT_EQ(display->mProjectionCount, 1u);
    EXPECT_EQ(std::vector<SInt32>(display->mMask, display->mMask + 4), (std::vector<SInt32>{10, 1270, 0, 800}));
    EXPECT_EQ(display->mProjection, camera->GetProjectionMatrix());
    EXPECT_FALSE(display->mOrthographic);
    EXPECT_FLOAT_EQ(camera->GetProjectionMatrix()[0], 2.0f / 3.2f);

    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mProjectionCount, 1u);

    camera->SetCenterX(1.0f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mProjectionCount, 2u);
    EXPECT_FLOAT_EQ(display->mProjection[8], -1.0f);

    camera->SetMaskCoordsX(0, 0);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mProjectionCount, 3u);
    EXPECT_EQ(display->mMask[0], 0);

    // A new display size reaches mask and projection after a configuration change.
    mConfiguration.SetDisplaySurfaceSize(640, 800);
    ASSERT_TRUE(ConfigChanged());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mProjectionCount, 4u);
    EXPECT_EQ(display->mMask[1], 640);
    EXPECT_FLOAT_EQ(display->mProjection[0], 2.0f / 1.6f);
}

TEST_F(CameraTest, OrthographicCameraHandsTheOrthographicFlag)
{
    Graph::INamespace* scene = Scene("<View><OrthographicCamera id='c' unitSizeX='1'/></View>");
    ASSERT_NE(scene, nullptr);
    OrthographicCamera* camera = Find<OrthographicCamera>(scene, "c");
    ASSERT_TRUE(RunFrame());
    auto* display = static_cast<Testing::FakeCamera*>(camera->GetDisplayCamera());
    EXPECT_TRUE(display->mOrthographic);
    EXPECT_FLOAT_EQ(display->mProjection[0], 2.0f / 1280.0f);
}

TEST_F(CameraTest, PrepareFailsOutsideAViewAndForASecondCamera)
{
    struct Case
    {
        const char* mBody;
        const char* mMessage;
    };
    const Case cases[] = {
        {"<View/><PerspectiveCamera id='c' fieldOfViewY='1'/>",
         "Graph::Camera::PrepareOutputSelf(c): No view node to attach to"},
        {"<View><PerspectiveCamera id='a' fieldOfViewY='1'/><PerspectiveCamera id='c' fieldOfViewY='1'/></View>",
         "Graph::Camera::PrepareOutputSelf(c): View already has a camera"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mBody);
        ASSERT_TRUE(DestroyScene());
        ASSERT_NE(Scene(test.mBody), nullptr);
        ASSERT_TRUE(RunLogic());
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(RunOutput());
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(test.mMessage), std::string::npos);
    }
}

TEST_F(CameraTest, ClipPlaneBecomesTheNearPlaneInEveryFrame)
{
    // The plane z = -5 in front of a camera at the origin.
    mConfiguration.SetDisplaySurfaceSize(800, 800);
    Graph::INamespace* scene = Scene("<View><PerspectiveCamera id='c' fieldOfViewX='2' fieldOfViewY='2'"
                                     " farPlane='100' clipPlaneC='1' clipPlaneD='5'/></View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    auto* display = static_cast<Testing::FakeCamera*>(camera->GetDisplayCamera());
    ASSERT_TRUE(RunFrame());
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mProjectionCount, 2u);
    const Math::Matrix<float>& oblique = display->mProjection;
    EXPECT_NE(oblique, camera->GetProjectionMatrix());
    // Points on the plane lie on the near clip plane (z = -w); x and y project as before.
    for (const Math::Vector<float>& point : {Math::Vector<float>(1, 2, -5, 1), Math::Vector<float>(-3, 0.5f, -5, 1)}) {
        const Math::Vector<float> clip = oblique * point;
        EXPECT_NEAR(clip.z / clip.w, -1.0f, 1e-5f);
        const Math::Vector<float> plain = camera->GetProjectionMatrix() * point;
        EXPECT_FLOAT_EQ(clip.x, plain.x);
        EXPECT_FLOAT_EQ(clip.y, plain.y);
    }
}

TEST_F(CameraTest, ClipPlaneWithoutAFiniteObliqueFormHandsThePlainProjection)
{
    Graph::INamespace* scene = Scene("<View><PerspectiveCamera id='c' fieldOfViewX='2' fieldOfViewY='2'"
                                     " clipPlaneA='3e38' clipPlaneB='3e38' clipPlaneC='1'/></View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    ASSERT_TRUE(RunFrame());
    auto* display = static_cast<Testing::FakeCamera*>(camera->GetDisplayCamera());
    EXPECT_EQ(display->mProjectionCount, 1u);
    EXPECT_EQ(display->mProjection, camera->GetProjectionMatrix());
}

} // namespace
} // namespace Graph
} // namespace Vorn
