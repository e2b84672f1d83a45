// One node of every class that this build can create, in one graph under a view with a
// perspective camera: built as its class from the XML text and from its native form, through
// two frames, a suspension and the end, leaving nothing behind.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <typeinfo>

#include "graph/node_class_info.h"
#include "resource/collider.h"
#include "resource/native_font.h"
#include "resource/native_graph.h"
#include "resource/png_image.h"
#include "resource/wav_sound.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/exact_bytes.h"
#include "tests/support/fake_mesh.h"
#include "tests/support/font_fixture.h"
#include "tests/support/image_fixture.h"
#include "tests/support/sound_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// The element of a class where its bare element would not initialise; each has the id "x".
const std::map<std::string, std::string>& Elements()
{
    static const std::map<std::string, std::string> elements = {
        {"AudioSequence", "<Sound id='snd' soundResourceId='p:sound'/><AudioSequence id='x' soundIds='snd'/>"},
        {"Bitmap", "<Bitmap id='x' bitmapResourceId='p:image'/>"},
        {"BoneSlot", "<Bone id='bone'/><BoneSlot id='x' boneId='bone' slot='1'/>"},
        {"ColliderMesh", "<Body><ColliderMesh id='x' colliderResourceId='p:collider'/></Body>"},
        {"ColliderPlane", "<Body><ColliderPlane id='x'/></Body>"},
        {"ColliderSphere", "<Body><ColliderSphere id='x' radius='1'/></Body>"},
        {"CubeFrameBufferTexture", "<CubeFrameBufferTexture id='x' w='8' h='8'/>"},
        {"CubeTexture",
         "<CubeTexture id='x' bitmapResourceIdPosX='p:image' bitmapResourceIdNegX='p:image' "
         "bitmapResourceIdPosY='p:image' bitmapResourceIdNegY='p:image' bitmapResourceIdPosZ='p:image' "
         "bitmapResourceIdNegZ='p:image'/>"},
        {"DisplayBsp", "<DisplayBsp id='x' meshResourceId='p:bsp'/>"},
        {"DisplayMesh", "<DisplayMesh id='x' meshResourceId='p:bsp'/>"},
        {"DisplayObject", "<DisplayObject id='x' maxNumberOfIndices='6' maxNumberOfVertices='4'/>"},
        {"DisplayPlaneSequence", "<DisplayPlaneSequence id='x' atlasResourceId='p:atlas'/>"},
        {"DisplayTerrain", "<DisplayTerrain id='x' numDetailLevels='4' baseHeightmapResourceId='p:image' "
                           "detailHeightmapResourceId='p:image' detailScalemapResourceId='p:image'/>"},
        {"DisplayTerrainBillboards",
         "<DisplayTerrain id='ground' numDetailLevels='2' baseHeightmapResourceId='p:image' "
         "detailHeightmapResourceId='p:image' detailScalemapResourceId='p:image'/>"
         "<DisplayTerrainBillboards id='x' mapSize='1024' tileSize='256' maxTiles='4' maxObjectsPerTile='4' "
         "objectMapResourceId='p:image' lightMapResourceId='p:image' heightFieldId='ground'/>"},
        {"DisplayText", "<DisplayText id='x' fontResourceId='p:font' text='Ab'/>"},
        {"FlatFrameBufferTexture", "<FlatFrameBufferTexture id='x' w='8' h='8'/>"},
        {"FlatTextTexture", "<FlatTextTexture id='x' w='64' h='16' text='Ab'/>"},
        {"FlatTexture", "<FlatTexture id='x' bitmapResourceId='p:image'/>"},
        {"FragmentShader", "<FragmentShader id='x' source='void main() {}'/>"},
        {"Instance", "<Instance id='x' graphResourceId='p:graph'/>"},
        {"Material", "<FixedProgram id='program'/><Material id='x' programId='program'/>"},
        {"MaterialSlot", "<FixedProgram id='mp'/><Material id='mat'  programId='mp'/>"
                         "<MaterialSlot id='x' materialId='mat' slot='2'/>"},
        {"OrthographicCamera", "<View><OrthographicCamera id='x' unitSizeX='1'/></View>"},
        {"ParametersSlot", "<Parameters id='par'/><ParametersSlot id='x' parametersId='par' slot='3'/>"},
        {"PerspectiveCamera", ""},
        {"Reference", "<Container id='target'/><Reference id='x' targetId='target'/>"},
        {"ShaderProgram", "<VertexShader id='vs' source='void main() {}'/><FragmentShader id='fs' source='void main() {}'/>"
                          "<ShaderProgram id='x' vertexShaderId='vs' fragmentShaderId='fs'/>"},
        {"Sound", "<Sound id='x' soundResourceId='p:sound'/>"},
        {"Spring", "<Body id='s0'/><Body id='s1'/><Spring id='x' body1Id='s0' body2Id='s1'/>"},
        {"TextureSlot", "<FlatFrameBufferTexture id='tex' w='8' h='8'/><TextureSlot id='x' textureId='tex' slot='4'/>"},
        {"TransformClone", "<Anchor id='spot'/><TransformClone id='x' anchorId='spot'/>"},
        {"VertexShader", "<VertexShader id='x' source='void main() {}'/>"},
        {"View", ""},
    };
    return elements;
}

// A collider resource: the node only hands it on.
class StubCollider : public Resource::ICollider
{
public:
    const Float* GetVertices() const override { return nullptr; }
    const Resource::ColliderNode* GetNodes() const override { return nullptr; }
    const Resource::ColliderLeaf* GetLeaves() const override { return nullptr; }
};

class OneOfEachTest : public Testing::ViewSceneFixture
{
protected:
    OneOfEachTest() : mMesh(Testing::MakeSmallBspMesh())
    {
        mCollection.AddMesh("p:bsp", &mMesh);
        mCollection.mColliders["p:collider"] = &mCollider;
        mCollection.AddAtlas("p:atlas", {Resource::AtlasRectangle{0, 0, 1, 1, -1, 1, 1, -1}});
        mCollection.AddGraph("p:graph", "<Graph><Container/></Graph>");
        mCollection.AddObject("p:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile());
        mCollection.AddObject("p:image", &Resource::PngImage::Create,
                              Testing::EncodeRgbaPng(4, 4, Testing::MakeRgbaPattern(4, 4)));
        Testing::WavFile wav;
        wav.samples.assign(64, 0);
        mCollection.AddObject("p:sound", &Resource::WavSound::Create, wav.Build());
    }

    // The graph text: every class the factory creates, each in a namespace of its own (so the
    // ids do not clash) under a view with a perspective camera.
    std::string GraphText()
    {
        std::string body;
        for (UInt32 i = 0; i < GetNumberOfBuiltInNodeClasses(); ++i) {
            const NodeClassInfo& info = GetBuiltInNodeClassInfo(i);
            if (info.mCreate == nullptr)
                continue;
            const std::string name = info.mClassName.GetText();
            mClassNames.push_back(name);
            auto found = Elements().find(name);
            const std::string element = found != Elements().end() ? found->second : "<" + name + " id='x'/>";
            if (!element.empty())
                body += "<Namespace id='" + name + "'>" + element + "</Namespace>";
        }
        return "<Graph><Namespace><View id='view'><PerspectiveCamera id='camera' fieldOfViewX='1' zw='10'/>" + body +
               "</View></Namespace></Graph>";
    }

    void RunThrough(const Resource::IGraph* graph)
    {
        INamespace* scene = Build(graph);
        ASSERT_NE(scene, nullptr);
        // Each element is made as its class.
        for (const std::string& name : mClassNames) {
            INode* node = scene->FindNode(String((name + "/x").c_str()));
            if (node == nullptr)
                continue;
            node->RemoveReference();
            std::unique_ptr<INode> made(FindBuiltInNodeClassInfo(String(name.c_str()))->mCreate());
            EXPECT_EQ(typeid(*node), typeid(*made)) << name;
        }
        ::testing::internal::CaptureStderr();
        const Bool initialised = Init();
        const std::string log = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(initialised) << log;
        for (UInt32 frame = 0; frame < 2; ++frame) {
            ASSERT_TRUE(RunFrame());
            // The drawables the camera sees, each after the bindings before it.
            EXPECT_GE(mDisplay.mDrawables.size(), 5u);
            ASSERT_FALSE(mDisplay.mViews.empty());
            EXPECT_NE(mDisplay.GetTexture(4, 0), nullptr);
            EXPECT_NE(mDisplay.mMaterials[2], nullptr);
            EXPECT_NE(mDisplay.mParameterSlots[3], nullptr);
            EXPECT_NE(mDisplay.mBones[1], nullptr);
            EXPECT_EQ(mDisplay.mLights.size(), 1u);
        }
        ASSERT_TRUE(mRoot->Suspend(&mDeInitState));
        ASSERT_TRUE(mRoot->Resume(&mInitState));
        ASSERT_TRUE(RunFrame());
        ASSERT_TRUE(DeInit());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
        EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
        EXPECT_TRUE(mAudio.mLiveObjects.empty());
        ASSERT_TRUE(DestroyScene());
    }

    Testing::FakeMesh mMesh;
    StubCollider mCollider;
    std::vector<std::string> mClassNames;
};

TEST_F(OneOfEachTest, RunsFromXmlText)
{
    std::unique_ptr<Resource::XmlGraph> graph = Testing::ParseXmlGraph(GraphText().c_str());
    ASSERT_NE(graph, nullptr);
    RunThrough(graph.get());
}

TEST_F(OneOfEachTest, RunsFromTheNativeFormWrittenAndReadBack)
{
    Testing::ExactBytes bytes(Testing::MakeNativeGraph(GraphText().c_str()));
    Testing::CreatorOutcome outcome = Testing::RunCreator(&Resource::NativeGraph::Create, bytes);
    ASSERT_EQ(outcome.log, "");
    const Resource::IGraph* graph = dynamic_cast<const Resource::IGraph*>(outcome.object.get());
    ASSERT_NE(graph, nullptr);
    RunThrough(graph);
}

} // namespace
} // namespace Graph
} // namespace Vorn
