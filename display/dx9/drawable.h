// Display::Dx9::Drawable ("Drawable"): what one mesh needs for drawing, its vertex buffers and
// its index buffers (each index buffer one element with its own material and texture slots),
// and a bounding sphere. The buffers stay their owners'.
#pragma once

#include <vector>

#include "display/dx9/object.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class IndexBuffer;
class VertexBuffer;

class Drawable : public Object, public IDrawable
{
public:
    explicit Drawable(Renderer* renderer);

    // Stored only; index 0-4 (others are refused with a line).
    Bool SetValue(UInt32 value) override;
    Bool SetTableValue(UInt32 value, UInt32 index) override;
    // Stored only.
    void SetLevel(UInt32 level) override { mLevel = level; }
    Bool AddVertexBuffer(IVertexBuffer* buffer) override;
    Bool RemoveVertexBuffer(IVertexBuffer* buffer) override;
    Bool AddIndexBuffer(IIndexBuffer* buffer) override;
    Bool RemoveIndexBuffer(IIndexBuffer* buffer) override;
    Bool SetBoundingBox(const Math::Vector<float>& minimum, const Math::Vector<float>& maximum) override;
    const Math::Vector<float>& GetBoundingSphereCentre() const override { return mCentre; }
    Float GetBoundingSphereRadius() const override { return mRadius; }

    // False without an index buffer or without a vertex buffer.
    Bool Init() override;
    Bool DeInit() override;
    // Updates the vertex buffers, then the index buffers.
    Bool Update() override;
    // Sets the world transform and binds the vertex buffers.
    virtual Bool Apply(State& state);
    virtual UInt32 GetNumberOfVertexBuffers() const { return UInt32(mVertexBuffers.size()); }
    virtual VertexBuffer* GetVertexBuffer(UInt32 index) const;
    virtual UInt32 GetNumberOfIndexBuffers() const { return UInt32(mIndexBuffers.size()); }
    virtual IndexBuffer* GetIndexBuffer(UInt32 index) const;

    static const ClassInfo& GetClassInfo();

private:
    UInt32 mValue;
    UInt32 mTable[5];
    UInt32 mLevel = 0;
    std::vector<IndexBuffer*> mIndexBuffers;
    std::vector<VertexBuffer*> mVertexBuffers;
    Math::Vector<float> mCentre;
    Float mRadius;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
