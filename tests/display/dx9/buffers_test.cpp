// Index and vertex buffers fill their Direct3D buffers on the render thread from data the scene
// graph owns.
#include <gtest/gtest.h>

#include <numeric>

#include "tests/display/dx9/renderer_fixture.h"

namespace Vorn {
namespace {

class BuffersTest : public Testing::RendererFixture
{
protected:
    // The first count indices of the Direct3D buffer.
    std::vector<UInt16> ReadIndices(Display::Dx9::IndexBuffer* buffer, UInt32 count)
    {
        IDirect3DIndexBuffer9* dxBuffer = nullptr;
        Display::Dx9::State state;
        state.mStreams[0] = mVertices;
        // Drawing binds the buffer; read it back from the device.
        buffer->Apply(state);
        mRenderer->GetDevice()->GetIndices(&dxBuffer);
        std::vector<UInt16> indices(count);
        void* data = nullptr;
        if (dxBuffer != nullptr && SUCCEEDED(dxBuffer->Lock(0, count * 2, &data, D3DLOCK_READONLY))) {
            std::memcpy(indices.data(), data, count * 2);
            dxBuffer->Unlock();
        }
        if (dxBuffer != nullptr)
            dxBuffer->Release();
        return indices;
    }

    Display::Dx9::IndexBuffer* MakeIndices()
    {
        auto* buffer = Make<Display::Dx9::IndexBuffer>("IndexBuffer");
        EXPECT_TRUE(buffer->Init());
        return buffer;
    }

    void SetUp() override
    {
        Testing::RendererFixture::SetUp();
        mVertices = Make<Display::Dx9::VertexBuffer>("VertexBuffer");
        UInt32 offset = 0;
        mVertices->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3, offset);
        mVertexData.assign(12 * 3, 0.0f);
        mVertices->SetVertexData(mVertexData.data(), 12, offset);
        mVertices->SetNumberOfVertices(12);
        ASSERT_TRUE(mVertices->Init());
        ASSERT_TRUE(mVertices->Update());
        mData.resize(12);
        std::iota(mData.begin(), mData.end(), UInt16(0));
    }

    Display::Dx9::VertexBuffer* mVertices = nullptr;
    std::vector<Float> mVertexData;
    std::vector<UInt16> mData;
};

TEST_F(BuffersTest, IndexDataWaitsForItsDataAndCountsClampToTheCapacity)
{
    Display::Dx9::IndexBuffer* buffer = MakeIndices();
    EXPECT_TRUE(buffer->Update());
    EXPECT_NE(buffer->GetChanges() & Display::Dx9::IndexBuffer::kDataChanged, 0u);
    buffer->SetIndexData(mData.data(), 12);
    buffer->SetNumberOfIndices(40);
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(buffer->GetChanges(), 0u);
    EXPECT_EQ(buffer->GetNumberOfDxIndices(), 12u);
    EXPECT_EQ(buffer->GetDxBufferSize(), 24u);
    EXPECT_EQ(ReadIndices(buffer, 12), mData);

    // A larger capacity makes a new buffer.
    std::vector<UInt16> larger(30, 7);
    buffer->SetIndexData(larger.data(), 30);
    buffer->SetNumberOfIndices(-1);
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(buffer->GetDxBufferSize(), 60u);
    EXPECT_EQ(buffer->GetNumberOfDxIndices(), 30u);
}

TEST_F(BuffersTest, BatchesAndSelectionsCopyOnlyWhatLiesInTheData)
{
    Display::Dx9::IndexBuffer* buffer = MakeIndices();
    buffer->SetIndexData(mData.data(), 12);
    buffer->SetNumberOfIndices(-1);
    // {count, first}: the last batch runs past the data and is cut to its last two indices.
    const UInt32 batches[] = {3, 0, 3, 6, 5, 10, 2, 40};
    buffer->SetBatches(batches);
    buffer->SetNumberOfBatches(4);
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(buffer->GetNumberOfDxIndices(), 8u);
    EXPECT_EQ(ReadIndices(buffer, 8), (std::vector<UInt16>{0, 1, 2, 6, 7, 8, 10, 11}));

    // A change of the data alone is sent as well.
    mData[6] = 42;
    buffer->SetDataModified();
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(ReadIndices(buffer, 8)[3], 42);

    // A selection in its own order; batch numbers past the batches are left out. The smaller
    // total reuses the buffer.
    const UInt32 size = buffer->GetDxBufferSize();
    const UInt32 selection[] = {2, 9, 0};
    buffer->SetSelectedBatches(selection);
    buffer->SetNumberOfSelectedBatches(3);
    buffer->SetSelectionModified();
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(buffer->GetNumberOfDxIndices(), 5u);
    EXPECT_EQ(buffer->GetDxBufferSize(), size);
    EXPECT_EQ(ReadIndices(buffer, 5), (std::vector<UInt16>{10, 11, 0, 1, 2}));
}

TEST_F(BuffersTest, VertexCountsClampToTheCapacityAndTwoTextureSetsDeclare)
{
    auto* buffer = Make<Display::Dx9::VertexBuffer>("VertexBuffer");
    UInt32 offset = 0;
    buffer->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3, offset);
    buffer->AddAttribute(Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2, offset);
    buffer->AddAttribute(Enums::VertexAttribute::TEXCOORD_1, Enums::AttributeType::FLOAT_VECTOR_2, offset);
    std::vector<Float> data(4 * 7, 1.0f);
    buffer->SetVertexData(data.data(), 4, offset);
    buffer->SetNumberOfVertices(100);
    ASSERT_TRUE(buffer->Init());
    ASSERT_TRUE(buffer->Update());
    EXPECT_EQ(buffer->GetNumberOfVertices(), 4u);
    buffer->SetDataModified();
    EXPECT_TRUE(buffer->Update());
    Display::Dx9::State state;
    EXPECT_TRUE(buffer->Apply(state));
    EXPECT_EQ(state.mStreams[0], buffer);
}

TEST_F(BuffersTest, VerticesLargerThanTheAttributesAreGatheredAndSmallerOnesRefused)
{
    auto* buffer = Make<Display::Dx9::VertexBuffer>("VertexBuffer");
    UInt32 offset = 0;
    buffer->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3, offset);
    // Three vertices of four floats: the fourth is the caller's own and stays out of the buffer.
    const std::vector<Float> data = {1, 2, 3, -1, 4, 5, 6, -1, 7, 8, 9, -1};
    buffer->SetVertexData(data.data(), 3, 16);
    buffer->SetNumberOfVertices(3);
    ASSERT_TRUE(buffer->Init());
    ASSERT_TRUE(buffer->Update());
    Display::Dx9::State state;
    ASSERT_TRUE(buffer->Apply(state));
    IDirect3DVertexBuffer9* dxBuffer = nullptr;
    UInt32 streamOffset = 0;
    UInt32 stride = 0;
    mRenderer->GetDevice()->GetStreamSource(0, &dxBuffer, &streamOffset, &stride);
    ASSERT_NE(dxBuffer, nullptr);
    EXPECT_EQ(stride, 12u);
    std::vector<Float> copied(9);
    void* locked = nullptr;
    if (SUCCEEDED(dxBuffer->Lock(0, 36, &locked, D3DLOCK_READONLY))) {
        std::memcpy(copied.data(), locked, 36);
        dxBuffer->Unlock();
    }
    dxBuffer->Release();
    EXPECT_EQ(copied, (std::vector<Float>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // Vertices of 8 bytes cannot hold 12 bytes of attributes: nothing is read past the data.
    const std::vector<Float> shorter(2 * 3, 0.0f);
    buffer->SetVertexData(shorter.data(), 3, 8);
    EXPECT_FALSE(buffer->Update());
}

} // namespace
} // namespace Vorn
