#include "foundation/data.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorn {
namespace {

std::vector<UInt8> Bytes(const ConstData& data)
{
    return std::vector<UInt8>(data.GetData(), data.GetData() + data.GetSize());
}

TEST(ConstDataTest, NullPointerGivesAnEmptyView)
{
    const char text[] = "hello";
    ConstData view(text, 5);
    EXPECT_EQ(view.GetSize(), 5u);
    view.Set(nullptr, 5);
    EXPECT_EQ(view.GetData(), nullptr);
    EXPECT_EQ(view.GetSize(), 0u);
    ConstData empty(nullptr, 7);
    EXPECT_EQ(empty.GetSize(), 0u);
    view.Set(text, 3);
    view.Release();
    EXPECT_EQ(view.GetData(), nullptr);
    EXPECT_EQ(view.GetSize(), 0u);
}

TEST(DataTest, AssignCopiesAndEmpties)
{
    const UInt8 source[] = {1, 2, 3};
    Data data;
    data.Assign(source, 3);
    EXPECT_NE(data.GetData(), source);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{1, 2, 3}));
    data.Assign(source, 0);
    EXPECT_EQ(data.GetData(), nullptr);
    EXPECT_EQ(data.GetSize(), 0u);
    data.Assign(source, 3);
    data.Assign(nullptr, 3);
    EXPECT_EQ(data.GetData(), nullptr);
    EXPECT_EQ(data.GetSize(), 0u);

    // Through the view's interface a Data still copies.
    ConstData& view = data;
    view.Set(source, 2);
    EXPECT_NE(data.GetData(), source);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{1, 2}));
}

TEST(DataTest, AssignFromItsOwnBytes)
{
    const UInt8 source[] = {1, 2, 3, 4, 5};
    Data data(source, 5);
    data.Assign(data.GetData() + 1, 3);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{2, 3, 4}));
}

TEST(DataTest, ResizeKeepsBytesAndZeroesTheTail)
{
    const UInt8 source[] = {1, 2, 3};
    Data data(source, 3);
    data.Resize(5);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{1, 2, 3, 0, 0}));
    data.Resize(2);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{1, 2}));
    const UInt8* block = data.GetData();
    data.Resize(2);
    EXPECT_EQ(data.GetData(), block);
    data.Resize(0);
    EXPECT_EQ(data.GetData(), nullptr);
    data.Resize(3);
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{0, 0, 0}));
    data.GetBuffer()[1] = 9;
    EXPECT_EQ(Bytes(data), (std::vector<UInt8>{0, 9, 0}));
}

TEST(DataTest, ReleaseBeforeDestructionFreesOnce)
{
    const UInt8 source[] = {1, 2, 3};
    Data* data = new Data(source, 3);
    data->Release();
    EXPECT_EQ(data->GetSize(), 0u);
    ConstData* view = data;
    delete view; // through the base: the owning destructor runs
}

TEST(DataTest, CopiesOwnTheirBytes)
{
    const UInt8 source[] = {4, 5};
    Data data(source, 2);
    Data copy(data);
    EXPECT_NE(copy.GetData(), data.GetData());
    EXPECT_EQ(Bytes(copy), Bytes(data));
    Data moved(std::move(copy));
    EXPECT_EQ(Bytes(moved), (std::vector<UInt8>{4, 5}));
    EXPECT_EQ(copy.GetSize(), 0u); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(Data::Empty.GetData(), nullptr);
    EXPECT_EQ(&GetEmptyData(), &Data::Empty);
}

} // namespace
} // namespace Vorn
