// DisplayText: a line or block of text laid out with a bitmap font resource, one textured quad per
// visible glyph in a vertex and index buffer of fixed capacity that the node owns. The text comes
// literally ("text") or from the text resources ("textResourceId"); lines align inside a
// container, the block aligns to the node's origin, and positions snap to an alignment unit.
// Game code changes texts through Graph::IDisplayText.
#pragma once

#include <vector>

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/display/drawable.h"
#include "graph/display_text.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Resource {
class IFont;
class IGlyph;
}

namespace Graph {

class DisplayText : public Transform, public IRenderable, public IDrawable, public IDisplayText
{
public:
    // Position, normal and texture coordinates of 32-bit floats.
    static constexpr UInt32 kVertexSize = 32;
    static constexpr UInt32 kFloatsPerVertex = kVertexSize / 4;
    // Four vertices per glyph must stay addressable by 16-bit indices.
    static constexpr UInt32 kMaxCapacity = 16384;

    DisplayText();
    ~DisplayText() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // A text is never culled.
    Bool CullOutput(ICullOutputState* state) override;
    // Re-submits the buffers after a layout, then adds the drawable to the frame.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    void SetHorizontalTextAlignment(Enums::TextAlignmentX alignment) override;
    Enums::TextAlignmentX GetHorizontalTextAlignment() const override;
    void SetVerticalTextAlignment(Enums::TextAlignmentY alignment) override;
    Enums::TextAlignmentY GetVerticalTextAlignment() const override;
    // Ignored while a text resource is named.
    void SetText(const String& text) override;
    const String& GetText() const override;
    void SetHorizontalContainerAlignment(Enums::TextAlignmentX alignment) override;
    Enums::TextAlignmentX GetHorizontalContainerAlignment() const override;
    void SetVerticalContainerAlignment(Enums::TextAlignmentY alignment) override;
    Enums::TextAlignmentY GetVerticalContainerAlignment() const override;
    Bool HasGlyph(const String& character) const override;
    Bool HasGlyph(const char* character) const override;

    void SetScaleFactor(Real x, Real y, Real z) override;
    void SetScaleFactor(const Math::Vector<float>& factor) override;
    void SetScaleFactorX(Real x) override;
    void SetScaleFactorY(Real y) override;
    void SetScaleFactorZ(Real z) override;
    const Math::Vector<float>& GetScaleFactor() const override;
    Real GetScaleFactorX() const override;
    Real GetScaleFactorY() const override;
    Real GetScaleFactorZ() const override;

    // What one layout pass gives: glyphs placed and the block's extent (height negative: lines
    // run towards -y).
    struct Extent
    {
        UInt32 mCount;
        Float mWidth;
        Float mHeight;
    };
    // The measuring pass over the current text with the current metrics; false for bad UTF-8.
    Bool Measure(Extent& extent) const;
    // Lays the text out again with the current font and attributes.
    Bool UpdateText();
    void UpdateMetrics();

    UInt32 GetNumberOfQuads() const { return mNumberOfQuads; }
    UInt32 GetCapacity() const { return mCapacity; }
    const Float* GetVertexData() const { return mVertices.data(); }
    Display::IDrawable* GetDisplayDrawable() const { return mDrawable.Get(); }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    struct Metrics
    {
        Float mScaleX = 0.0f;
        Float mScaleY = 0.0f;
        Float mSpaceAdvance = 0.0f;
        Float mDigitAdvance = 0.0f;
        Float mLetterSpacing = 0.0f;
        Float mLineSpacing = 0.0f;
        Float mGlyphOffsetX = 0.0f;
        Float mGlyphOffsetY = 0.0f;
        Float mStepX = 0.0f;
        Float mStepY = 0.0f;
        Bool mSameDigitWidth = false;
    };

    // The layout pass from origin (x0, y0) with lines aligned in boxWidth; writes the quads (at
    // most the capacity) when write is set, else only measures.
    Bool Layout(Float boxWidth, Float x0, Float y0, Bool write, Extent& extent);
    // Horizontal offset of the line starting at byte position start within width.
    Float GetLineOffset(UInt32 start, Float width) const;
    // Advance and centring offset of a glyph.
    Float GetAdvance(UInt32 code, const Resource::IGlyph* glyph, Float* offset) const;
    // Allocates the arrays for capacity glyphs and hands them to the buffers.
    void BuildBuffers(UInt32 capacity);
    void WriteQuad(UInt32 quad, const Resource::IGlyph* glyph, Float base, Float y);
    Bool DeInitObjects(const char* operation);
    Bool SetChanged(Bool changed);

    UInt32 mReservedCharacters;
    String mFontResourceId;
    String mTextResourceId;
    String mText;
    Math::Vector<float> mScaleFactor;
    Float mContainerWidth;
    Float mContainerHeight;
    Float mSpaceWidth;
    Float mDigitWidth;
    Float mSpacing;
    Float mLeading;
    Bool mUseSameDigitWidth;
    Bool mUseSameDigitWidthGiven;
    Enums::HorizontalAlignment mHorizontalContainerAlignment;
    Enums::VerticalAlignment mVerticalContainerAlignment;
    Enums::TextAlignmentX mHorizontalTextAlignment;
    Enums::TextAlignmentY mVerticalTextAlignment;
    Float mHorizontalAlignmentUnit;
    Float mVerticalAlignmentUnit;

    const Resource::IFont* mFont;
    DisplayHandleT<Display::IDrawable> mDrawable;
    DisplayHandleT<Display::IIndexBuffer> mIndexBuffer;
    DisplayHandleT<Display::IVertexBuffer> mVertexBuffer;
    std::vector<Float> mVertices;
    std::vector<UInt16> mIndices;
    std::vector<UInt32> mGroups;
    UInt32 mCapacity;
    Bool mBuffersBuilt;
    Bool mAttributesDeclared;
    Metrics mMetrics;
    UInt32 mNumberOfQuads;
    Bool mNeedsUpdate;
    Bool mGeometryChanged;
};

} // namespace Graph
} // namespace Vorn
