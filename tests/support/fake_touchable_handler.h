// A touchable handler for graph tests: it makes recording touch areas and screen projections,
// counts the live ones, and records the views and touchables registered in a logic step.
#pragma once

#include <vector>

#include "input/touchable_handler.h"
#include "tests/support/fake_object_pool.h"

namespace Vorn {
namespace Testing {

class FakeTouchArea : public Input::ITouchArea, public Input::IPlane
{
public:
    explicit FakeTouchArea(Enums::AreaShape shape) : mShape(shape) {}
    void SetTouchable(Graph::ITouchable* target) override { mTarget = target; }
    Graph::ITouchable* GetTouchable() override { return mTarget; }
    void SetButton(UInt32 button) override { mButton = button; }
    UInt32 GetButton() const override { return mButton; }
    void SetEnabled(Bool enabled) override { mEnabled = enabled; }
    Bool IsEnabled() const override { return mEnabled; }
    void SetSize(Float x, Float y) override
    {
        mSizeX = x;
        mSizeY = y;
    }
    Float GetSizeX() const override { return mSizeX; }
    Float GetSizeY() const override { return mSizeY; }
    Enums::AreaShape mShape;
    Graph::ITouchable* mTarget = nullptr;
    UInt32 mButton = 5;
    Bool mEnabled = true;
    Float mSizeX = 1.0f;
    Float mSizeY = 1.0f;
};

class FakeScreenProjection : public Input::IScreenProjection
{
public:
    explicit FakeScreenProjection(Enums::ProjectionType type) : mType(type) {}
    void SetDepth(Float depth) override { mDepth = depth; }
    Float GetDepth() const override { return mDepth; }
    void SetMatrix(const Math::Matrix<float>& matrix) override { mMatrix = matrix; }
    const Math::Matrix<float>& GetMatrix() const override { return mMatrix; }
    Math::Vector<float> GetRayOrigin(Float x, Float y) const override { return Math::Vector<float>(x, y, 0, 1); }
    Math::Vector<float> GetRayDirection(Float, Float) const override { return Math::Vector<float>(0, 0, -1, 0); }
    Enums::ProjectionType mType;
    Float mDepth = 0.0f;
    Math::Matrix<float> mMatrix;
};

class FakeTouchableHandler : public Input::ITouchableHandler, public FakeObjectPool
{
public:
    struct Registration
    {
        void* object;
        Math::Matrix<float> transform;
    };

    Bool mRefuseCreation = false;
    std::vector<Registration> mViews;
    std::vector<Registration> mTouchables;

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Input::IScreenProjection* CreateScreenProjection(Enums::ProjectionType type) override
    {
        return mRefuseCreation ? nullptr : MakeFake<FakeScreenProjection>(type);
    }
    void DestroyScreenProjection(Input::IScreenProjection*& projection) override
    {
        DestroyFake<FakeScreenProjection>(projection);
    }
    Input::ITouchArea* CreateTouchArea(Enums::AreaShape shape) override
    {
        return mRefuseCreation ? nullptr : MakeFake<FakeTouchArea>(shape);
    }
    void DestroyTouchArea(Input::ITouchArea*& area) override { DestroyFake<FakeTouchArea>(area); }
    void AddTouchable(Input::ITouchArea* area, const Math::Matrix<float>& transform) override
    {
        mTouchables.push_back(Registration{area, transform});
    }
    void AddView(Input::IScreenProjection* projection, const Math::Matrix<float>& transform) override
    {
        mViews.push_back(Registration{projection, transform});
    }
    Bool ClearViews() override
    {
        mViews.clear();
        mTouchables.clear();
        return true;
    }
    Bool BeginPointers() override { return true; }
    Bool ProcessPointer(UInt32, const Input::IMouseButtons*, Bool, Float, Float, Bool) override { return false; }
    Bool EndPointers() override { return true; }
};

} // namespace Testing
} // namespace Vorn
