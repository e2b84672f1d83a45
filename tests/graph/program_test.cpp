#include "graph/render/program.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/render/material.h"
#include "graph/render/shader.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeFixedProgram;
using Testing::FakeMaterial;
using Testing::FakeShader;
using Testing::FakeShaderProgram;

class ProgramTest : public Testing::ViewSceneFixture
{
protected:
    static constexpr const char* kShaders =
        "<VertexShader id='vs' source='void main() {}'/><FragmentShader id='fs' source='void main() {}'/>";
};

TEST_F(ProgramTest, ABareFixedProgramTurnsEverythingOff)
{
    Graph::INamespace* scene = Scene("<FixedProgram id='p'/><FixedProgram id='q' coloringEnabled='true' "
                                     "textureUnit1Enabled='true' lightModel='TWO_SIDED'/>");
    ASSERT_NE(scene, nullptr);
    auto* bare = dynamic_cast<FakeFixedProgram*>(Find<Program>(scene, "p")->GetProgramObject());
    ASSERT_NE(bare, nullptr);
    EXPECT_TRUE(bare->IsInitialized());
    EXPECT_FALSE(bare->mColoring);
    EXPECT_FALSE(bare->mLighting);
    EXPECT_EQ(bare->mLightModel, Enums::LightingSides::ONE_SIDED);
    EXPECT_FALSE(bare->mTextureUnits[0]);
    EXPECT_FALSE(bare->mTextureUnits[1]);
    auto* set = dynamic_cast<FakeFixedProgram*>(Find<Program>(scene, "q")->GetProgramObject());
    EXPECT_TRUE(set->mColoring);
    EXPECT_TRUE(set->mTextureUnits[1]);
    EXPECT_EQ(set->mLightModel, Enums::LightingSides::TWO_SIDED);
    ASSERT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

TEST_F(ProgramTest, AShaderProgramDeclaresTheBuiltInsInOrderAndOnlyNamedCustomUniforms)
{
    Graph::INamespace* scene = Scene(std::string(kShaders) +
                                     "<ShaderProgram id='p' vertexShaderId='vs' fragmentShaderId='fs' uniform3Id='uTint'/>");
    ASSERT_NE(scene, nullptr);
    auto* program = dynamic_cast<FakeShaderProgram*>(Find<Program>(scene, "p")->GetProgramObject());
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(program->IsInitialized());
    ASSERT_EQ(program->mShaders.size(), 2u);
    auto* vertex = dynamic_cast<FakeShader*>(program->mShaders[0]);
    auto* fragment = dynamic_cast<FakeShader*>(program->mShaders[1]);
    EXPECT_EQ(vertex->mType, 0u);
    EXPECT_EQ(fragment->mType, 1u);
    EXPECT_EQ(vertex->mSource, "void main() {}");

    // 15 built-ins, 24 bone matrices, one custom uniform.
    ASSERT_EQ(program->mUniforms.size(), 40u);
    EXPECT_EQ(program->mUniforms[0].second, "uModelMatrix");
    EXPECT_EQ(program->mUniforms[5].first, Enums::ShaderVariable(5));
    EXPECT_EQ(program->mUniforms[5].second, "uCameraDirection");
    EXPECT_EQ(program->mUniforms[14].second, "uTexture3");
    EXPECT_EQ(program->mUniformTypes[14], Enums::ShaderUniformType::INT);
    for (UInt32 i = 0; i < 24; ++i) {
        EXPECT_EQ(program->mUniforms[15 + i].second, "uBoneMatrix[" + std::to_string(i) + "]");
        EXPECT_EQ(UInt32(program->mUniforms[15 + i].first), 27 + i);
    }
    EXPECT_EQ(program->mUniforms[39].first, Enums::ShaderVariable::CUSTOM_3);
    EXPECT_EQ(program->mUniforms[39].second, "uTint");
    EXPECT_EQ(program->mUniformTypes[39], Enums::ShaderUniformType::FLOAT);

    const char* attributes[] = {"aPosition", "aColor", "aNormal", "aBinormal", "aTangent",
                                "aTexCoord0", "aTexCoord1", "aBoneIndices", "aBoneWeights"};
    ASSERT_EQ(program->mAttributes.size(), 9u);
    for (UInt32 i = 0; i < 9; ++i)
        EXPECT_EQ(program->mAttributes[i].second, attributes[i]);
    EXPECT_EQ(program->mAttributes[1].first, Enums::VertexAttribute::COLOR);

    auto* vs = Find<Shader>(scene, "vs");
    EXPECT_EQ(vs->GetReferenceCount(), 1u);
    ASSERT_TRUE(DeInit());
    EXPECT_EQ(vs->GetReferenceCount(), 0u);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

TEST_F(ProgramTest, RefusesMissingSourcesAndShaders)
{
    struct Case
    {
        std::string body;
        const char* message;
    } const cases[] = {
        {"<VertexShader id='vs'/>", "Graph::Shader::InitSelf(vs): No source code"},
        {"<ShaderProgram id='p' fragmentShaderId='fs'/>", "No vertex shader ID specified"},
        {"<ShaderProgram id='p' vertexShaderId='vs'/>", "No fragment shader ID specified"},
        {std::string(kShaders) + "<ShaderProgram id='p' vertexShaderId='fs' fragmentShaderId='fs'/>",
         "Failed to get vertex shader node \"fs\""},
        {std::string(kShaders) + "<ShaderProgram id='p' vertexShaderId='vs' fragmentShaderId='none'/>",
         "Failed to get fragment shader node \"none\""},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(c.body, log)) << c.body;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        // What was made before the failure is freed by DeInit.
        EXPECT_TRUE(DeInit());
        EXPECT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty()) << c.body;
    }
}

TEST_F(ProgramTest, ANodeOfAnotherClassGetsItsReferenceBack)
{
    const std::string bodies[] = {
        std::string(kShaders) + "<ShaderProgram id='p' vertexShaderId='fs' fragmentShaderId='fs'/>",
        "<FragmentShader id='fs' source='x'/><Material programId='fs'/>",
    };
    for (const std::string& body : bodies) {
        std::string log;
        EXPECT_FALSE(InitCapturing(body, log)) << body;
        Graph::INamespace* scene = dynamic_cast<Graph::INamespace*>(mTop->GetChild(0));
        EXPECT_EQ(Find<Shader>(scene, "fs")->GetReferenceCount(), 0u) << body;
        EXPECT_TRUE(DestroyScene());
    }
}

TEST_F(ProgramTest, AMaterialBindsItsProgramAndHandsOverItsSettings)
{
    Graph::INamespace* scene = Scene(
        "<FixedProgram id='p'/><Material id='plain' programId='p' blendMode='ALPHA'/>"
        "<Material id='set' programId='p' visibleFaces='NONE' depthBufferMode='READ_ONLY' "
        "colorBlendEquation='SUBTRACT' dstColorBlendFunction='ZERO' srcAlphaBlendFunction='ONE'/>");
    ASSERT_NE(scene, nullptr);
    Program* program = Find<Program>(scene, "p");
    auto* plain = dynamic_cast<FakeMaterial*>(Find<Material>(scene, "plain")->GetMaterialObject());
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->IsInitialized());
    EXPECT_EQ(plain->mProgram, program->GetProgramObject());
    EXPECT_EQ(plain->mBlendMode, Enums::AlphaMode::ALPHA);
    EXPECT_EQ(plain->mVisibleFaces, Enums::CullMode::FRONT_ONLY);
    EXPECT_EQ(plain->mDepthTestMode, Enums::DepthTestMode::READ_AND_WRITE);
    EXPECT_EQ(plain->mColorEquation, Enums::BlendEquation::ADD);
    EXPECT_EQ(plain->mAlphaEquation, Enums::BlendEquation::ADD);
    const Enums::BlendFactor defaults[] = {Enums::BlendFactor::SRC_ALPHA, Enums::BlendFactor::SRC_ALPHA,
                                           Enums::BlendFactor::ONE_MINUS_SRC_ALPHA,
                                           Enums::BlendFactor::ONE_MINUS_SRC_ALPHA};
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(plain->mFactors[i], defaults[i]) << i;

    auto* set = dynamic_cast<FakeMaterial*>(Find<Material>(scene, "set")->GetMaterialObject());
    EXPECT_EQ(set->mVisibleFaces, Enums::CullMode::NONE);
    EXPECT_EQ(set->mDepthTestMode, Enums::DepthTestMode::READ_ONLY);
    EXPECT_EQ(set->mColorEquation, Enums::BlendEquation::SUBTRACT);
    // Source colour, source alpha, destination colour, destination alpha.
    const Enums::BlendFactor given[] = {Enums::BlendFactor::SRC_ALPHA, Enums::BlendFactor::ONE,
                                        Enums::BlendFactor::ZERO, Enums::BlendFactor::ONE_MINUS_SRC_ALPHA};
    for (UInt32 i = 0; i < 4; ++i)
        EXPECT_EQ(set->mFactors[i], given[i]) << i;

    EXPECT_EQ(program->GetReferenceCount(), 2u);
    ASSERT_TRUE(DeInit());
    EXPECT_EQ(program->GetReferenceCount(), 0u);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

TEST_F(ProgramTest, AMaterialNeedsAnInitialisedProgram)
{
    struct Case
    {
        const char* body;
        const char* message;
    } const cases[] = {
        {"<Material id='m' programId='none'/>", "Graph::Material::InitSelf(m): Failed to get program node \"none\""},
        {"<Material id='m'/>", "Failed to get program node \"\""},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(c.body, log)) << c.body;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        // What was made before the failure is freed by DeInit.
        EXPECT_TRUE(DeInit());
        EXPECT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    }
}

TEST_F(ProgramTest, SuspendTakesDownProgramsShadersAndMaterialsWhenTheConfigurationSaysSo)
{
    Graph::INamespace* scene = Scene(std::string(kShaders) +
                                     "<ShaderProgram id='p' vertexShaderId='vs' fragmentShaderId='fs'/>"
                                     "<Material id='m' programId='p'/>");
    ASSERT_NE(scene, nullptr);
    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::OTHER));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    for (auto* object : mDisplay.mLiveObjects)
        EXPECT_FALSE(object->IsInitialized()) << object->GetClassName();
    ASSERT_TRUE(mTop->Resume(&mInitState));
    for (auto* object : mDisplay.mLiveObjects)
        EXPECT_TRUE(object->IsInitialized()) << object->GetClassName();
}

} // namespace
} // namespace Graph
} // namespace Vorn
