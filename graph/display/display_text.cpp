#include "graph/display/display_text.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "foundation/text.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/collection.h"
#include "resource/font.h"

namespace Vorn {
namespace Graph {
namespace {

const VertexAttributeRow kVertexLayout[] = {
    {Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3},
    {Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2},
};

// Snaps v to a multiple of step, towards zero; a step of 0 or less leaves it.
Float Snap(Float v, Float step)
{
    return step > 0.0f ? std::trunc(v / step) * step : v;
}

} // namespace

DisplayText::DisplayText()
    : mReservedCharacters(16),
      mScaleFactor(1.0f, 1.0f, 1.0f, 0.0f),
      mContainerWidth(0.0f),
      mContainerHeight(0.0f),
      mSpaceWidth(1.0f),
      mDigitWidth(1.0f),
      mSpacing(0.0f),
      mLeading(0.0f),
      mUseSameDigitWidth(false),
      mUseSameDigitWidthGiven(false),
      mHorizontalContainerAlignment(Enums::HorizontalAlignment::CENTER),
      mVerticalContainerAlignment(Enums::VerticalAlignment::CENTER),
      mHorizontalTextAlignment(Enums::TextAlignmentX::CENTER),
      mVerticalTextAlignment(Enums::TextAlignmentY::CENTER),
      mHorizontalAlignmentUnit(-1.0f),
      mVerticalAlignmentUnit(-1.0f),
      mFont(nullptr),
      mCapacity(0),
      mBuffersBuilt(false),
      mAttributesDeclared(false),
      mNumberOfQuads(0),
      mNeedsUpdate(true),
      mGeometryChanged(true)
{
    AddFlags(kNeedsConfigChanged | kNeedsPrepareOutput);
}

DisplayText::~DisplayText() {}

INode* DisplayText::Create()
{
    return new (std::nothrow) DisplayText();
}

const NodeClassInfo& DisplayText::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("DisplayText"));
    return info;
}

Bool DisplayText::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                       Bool* error)
{
    const UInt32 attribute = DisplayTextAttributes::GetTable().FindAttribute(attributes, index);
    Float value = 0.0f;
    switch (attribute) {
    case DisplayTextAttributes::kReservedCharacters:
        attributes->GetValue(index, parameters, &mReservedCharacters, error);
        return true;
    case DisplayTextAttributes::kFontResourceId:
        attributes->GetValue(index, parameters, &mFontResourceId, error);
        return true;
    case DisplayTextAttributes::kTextResourceId:
        attributes->GetValue(index, parameters, &mTextResourceId, error);
        return true;
    case DisplayTextAttributes::kText:
        attributes->GetValue(index, parameters, &mText, error);
        return true;
    case DisplayTextAttributes::kScaleFactor:
        if (attributes->GetValue(index, parameters, &value, error))
            mScaleFactor.x = mScaleFactor.y = value;
        return true;
    case DisplayTextAttributes::kScaleFactorX:
        attributes->GetValue(index, parameters, &mScaleFactor.x, error);
        return true;
    case DisplayTextAttributes::kScaleFactorY:
        attributes->GetValue(index, parameters, &mScaleFactor.y, error);
        return true;
    case DisplayTextAttributes::kContainerWidth:
        attributes->GetValue(index, parameters, &mContainerWidth, error);
        return true;
    case DisplayTextAttributes::kContainerHeight:
        attributes->GetValue(index, parameters, &mContainerHeight, error);
        return true;
    case DisplayTextAttributes::kSpaceWidth:
        attributes->GetValue(index, parameters, &mSpaceWidth, error);
        return true;
    case DisplayTextAttributes::kDigitWidth:
        attributes->GetValue(index, parameters, &mDigitWidth, error);
        return true;
    case DisplayTextAttributes::kSpacing:
        attributes->GetValue(index, parameters, &mSpacing, error);
        return true;
    case DisplayTextAttributes::kLeading:
        attributes->GetValue(index, parameters, &mLeading, error);
        return true;
    case DisplayTextAttributes::kUseSameDigitWidth:
        if (attributes->GetValue(index, parameters, &mUseSameDigitWidth, error))
            mUseSameDigitWidthGiven = true;
        return true;
    case DisplayTextAttributes::kHorizontalContainerAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetHorizontalAlignmentTable(),
                           mHorizontalContainerAlignment);
        return true;
    case DisplayTextAttributes::kVerticalContainerAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetVerticalAlignmentTable(),
                           mVerticalContainerAlignment);
        return true;
    case DisplayTextAttributes::kHorizontalTextAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextAlignmentXTable(),
                           mHorizontalTextAlignment);
        return true;
    case DisplayTextAttributes::kVerticalTextAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextAlignmentYTable(),
                           mVerticalTextAlignment);
        return true;
    case DisplayTextAttributes::kAlignmentUnit:
        if (attributes->GetValue(index, parameters, &value, error))
            mHorizontalAlignmentUnit = mVerticalAlignmentUnit = value;
        return true;
    case DisplayTextAttributes::kHorizontalAlignmentUnit:
        attributes->GetValue(index, parameters, &mHorizontalAlignmentUnit, error);
        return true;
    case DisplayTextAttributes::kVerticalAlignmentUnit:
        attributes->GetValue(index, parameters, &mVerticalAlignmentUnit, error);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool DisplayText::SetChanged(Bool changed)
{
    if (changed)
        mNeedsUpdate = true;
    return changed;
}

void DisplayText::SetHorizontalTextAlignment(Enums::TextAlignmentX alignment)
{
    if (SetChanged(alignment != mHorizontalTextAlignment))
        mHorizontalTextAlignment = alignment;
}

Enums::TextAlignmentX DisplayText::GetHorizontalTextAlignment() const
{
    return mHorizontalTextAlignment;
}

void DisplayText::SetVerticalTextAlignment(Enums::TextAlignmentY alignment)
{
    if (SetChanged(alignment != mVerticalTextAlignment))
        mVerticalTextAlignment = alignment;
}

Enums::TextAlignmentY DisplayText::GetVerticalTextAlignment() const
{
    return mVerticalTextAlignment;
}

void DisplayText::SetText(const String& text)
{
    if (!mTextResourceId.IsEmpty())
        return;
    if (SetChanged(text != mText))
        mText = text;
}

const String& DisplayText::GetText() const
{
    return mText;
}

void DisplayText::SetHorizontalContainerAlignment(Enums::TextAlignmentX alignment)
{
    const Enums::HorizontalAlignment value = Enums::HorizontalAlignment(UInt32(alignment));
    if (SetChanged(value != mHorizontalContainerAlignment))
        mHorizontalContainerAlignment = value;
}

Enums::TextAlignmentX DisplayText::GetHorizontalContainerAlignment() const
{
    return Enums::TextAlignmentX(UInt32(mHorizontalContainerAlignment));
}

void DisplayText::SetVerticalContainerAlignment(Enums::TextAlignmentY alignment)
{
    const Enums::VerticalAlignment value = Enums::VerticalAlignment(UInt32(alignment));
    if (SetChanged(value != mVerticalContainerAlignment))
        mVerticalContainerAlignment = value;
}

Enums::TextAlignmentY DisplayText::GetVerticalContainerAlignment() const
{
    return Enums::TextAlignmentY(UInt32(mVerticalContainerAlignment));
}

Bool DisplayText::HasGlyph(const String& character) const
{
    return HasGlyph(character.GetText());
}

Bool DisplayText::HasGlyph(const char* character) const
{
    UInt32 code = 0;
    SInt32 count = 0;
    if (mFont == nullptr || character == nullptr || !Util::DecodeUtf8Char(character, code, count))
        return false;
    return mFont->GetGlyph(code) != nullptr;
}

void DisplayText::SetScaleFactor(Real x, Real y, Real)
{
    SetScaleFactorX(x);
    SetScaleFactorY(y);
}

void DisplayText::SetScaleFactor(const Math::Vector<float>& factor)
{
    SetScaleFactor(factor.x, factor.y, factor.z);
}

void DisplayText::SetScaleFactorX(Real x)
{
    if (SetChanged(x != mScaleFactor.x))
        mScaleFactor.x = x;
}

void DisplayText::SetScaleFactorY(Real y)
{
    if (SetChanged(y != mScaleFactor.y))
        mScaleFactor.y = y;
}

void DisplayText::SetScaleFactorZ(Real) {}

const Math::Vector<float>& DisplayText::GetScaleFactor() const
{
    return mScaleFactor;
}

Real DisplayText::GetScaleFactorX() const
{
    return mScaleFactor.x;
}

Real DisplayText::GetScaleFactorY() const
{
    return mScaleFactor.y;
}

Real DisplayText::GetScaleFactorZ() const
{
    return 1.0f;
}

void DisplayText::UpdateMetrics()
{
    const Float unit = mFont->GetScale();
    Metrics& m = mMetrics;
    m.mScaleX = unit * mScaleFactor.x;
    m.mScaleY = unit * mScaleFactor.y;
    m.mGlyphOffsetX = mFont->GetGlyphOffsetX() * m.mScaleX;
    m.mGlyphOffsetY = mFont->GetGlyphOffsetY() * m.mScaleY;
    m.mStepX = mHorizontalAlignmentUnit * unit;
    m.mStepY = mVerticalAlignmentUnit * unit;
    m.mSpaceAdvance = mFont->GetSpaceWidth() * mSpaceWidth * m.mScaleX;
    m.mDigitAdvance = mFont->GetDigitWidth() * mDigitWidth * m.mScaleX;
    m.mLetterSpacing = (mFont->GetSpacing() + mSpacing) * m.mScaleX;
    m.mLineSpacing = (mFont->GetLeading() + mLeading) * m.mScaleY;
    m.mSameDigitWidth = (mUseSameDigitWidthGiven ? mUseSameDigitWidth : true) && m.mDigitAdvance > 0.0f;
}

Float DisplayText::GetAdvance(UInt32 code, const Resource::IGlyph* glyph, Float* offset) const
{
    const Float own = glyph->GetAdvance() * mMetrics.mScaleX;
    if (mMetrics.mSameDigitWidth && code >= '0' && code <= '9') {
        *offset = Snap((mMetrics.mDigitAdvance - own) / 2.0f, mMetrics.mStepX);
        return mMetrics.mDigitAdvance;
    }
    *offset = 0.0f;
    return own;
}

Float DisplayText::GetLineOffset(UInt32 start, Float width) const
{
    const char* text = mText.GetText();
    const UInt32 length = UInt32(mText.GetLength());
    Float sum = 0.0f;
    for (UInt32 position = start; position < length;) {
        UInt32 code = 0;
        SInt32 count = 0;
        if (!Util::DecodeUtf8Char(text + position, code, count))
            return 0.0f;
        if (code == 0 || code == '\n')
            break;
        position += UInt32(count);
        if (code == ' ') {
            sum += mMetrics.mSpaceAdvance + mMetrics.mLetterSpacing;
        } else if (const Resource::IGlyph* glyph = mFont->GetGlyph(code)) {
            Float offset;
            sum += GetAdvance(code, glyph, &offset) + mMetrics.mLetterSpacing;
        }
    }
    Float lineOffset = 0.0f;
    if (mHorizontalTextAlignment == Enums::TextAlignmentX::CENTER)
        lineOffset = (width - sum) / 2.0f;
    else if (mHorizontalTextAlignment == Enums::TextAlignmentX::RIGHT)
        lineOffset = width - sum;
    return Snap(lineOffset, mMetrics.mStepX);
}

void DisplayText::WriteQuad(UInt32 quad, const Resource::IGlyph* glyph, Float base, Float y)
{
    const Float left = glyph->GetQuadX1() * mMetrics.mScaleX + base;
    const Float right = glyph->GetQuadX2() * mMetrics.mScaleX + base;
    const Float line = y + mMetrics.mGlyphOffsetY;
    const Float top = line - glyph->GetQuadY1() * mMetrics.mScaleY;
    const Float bottom = line - glyph->GetQuadY2() * mMetrics.mScaleY;
    const Float u1 = glyph->GetTexCoordU1();
    const Float v1 = glyph->GetTexCoordV1();
    const Float u2 = glyph->GetTexCoordU2();
    const Float v2 = glyph->GetTexCoordV2();
    const Float corners[4][4] = {{left, top, u1, v1}, {right, top, u2, v1}, {left, bottom, u1, v2},
                                 {right, bottom, u2, v2}};
    Float* vertex = mVertices.data() + std::size_t(quad) * 4 * kFloatsPerVertex;
    for (const Float* corner : corners) {
        const Float values[kFloatsPerVertex] = {corner[0], corner[1], 0.0f, 0.0f, 0.0f, -1.0f, corner[2], corner[3]};
        std::copy(values, values + kFloatsPerVertex, vertex);
        vertex += kFloatsPerVertex;
    }
}

Bool DisplayText::Layout(Float boxWidth, Float x0, Float y0, Bool write, Extent& extent)
{
    const Metrics& m = mMetrics;
    const Float lineStart = Snap(x0 + m.mLetterSpacing / 2.0f, m.mStepX);
    const Float reference = Snap(y0 - m.mLineSpacing / 2.0f, m.mStepY);
    const Float lineHeight = mFont->GetLineHeight() * m.mScaleY;
    const Bool aligning = write && (mHorizontalTextAlignment != Enums::TextAlignmentX::LEFT ||
                                    mVerticalTextAlignment != Enums::TextAlignmentY::TOP);
    const char* text = mText.GetText();
    const UInt32 length = UInt32(mText.GetLength());
    Float y = reference;
    Float widest = lineStart;
    Float lowest = reference;
    Float x = lineStart + (aligning ? GetLineOffset(0, boxWidth) : 0.0f);
    UInt32 placed = 0;
    for (UInt32 position = 0; position < length;) {
        UInt32 code = 0;
        SInt32 count = 0;
        if (!Util::DecodeUtf8Char(text + position, code, count)) {
            Debug::Trace("Graph::DisplayText::UpdateText(): Failed to convert string \"%s\" to UTF32 at position %u",
                         text, position);
            return false;
        }
        if (code == 0)
            break;
        position += UInt32(count);
        if (code == ' ') {
            x += m.mSpaceAdvance + m.mLetterSpacing;
            continue;
        }
        if (code == '\n') {
            y -= m.mLineSpacing + lineHeight;
            widest = std::max(widest, x);
            lowest = std::min(lowest, y);
            x = lineStart + (aligning ? GetLineOffset(position, boxWidth) : 0.0f);
            continue;
        }
        const Resource::IGlyph* glyph = mFont->GetGlyph(code);
        if (glyph == nullptr)
            continue;
        // The buffers hold the capacity's glyphs and no more.
        if (write && placed >= mCapacity)
            break;
        Float offset = 0.0f;
        const Float advance = GetAdvance(code, glyph, &offset);
        if (write)
            WriteQuad(placed, glyph, offset + x + m.mGlyphOffsetX, y);
        ++placed;
        x += m.mLetterSpacing + advance;
    }
    const Float right = std::max(widest, x) - m.mLetterSpacing;
    const Float bottom = std::min(lowest, y) - lineHeight - m.mLineSpacing;
    extent = Extent{placed, right - x0, bottom - y0};
    if (write) {
        mNumberOfQuads = placed;
        mDrawable->SetBoundingBox(Math::Vector<float>(lineStart, bottom, 0.0f, 1.0f),
                                  Math::Vector<float>(right, reference, 0.0f, 1.0f));
        mGeometryChanged = true;
    }
    return true;
}

Bool DisplayText::Measure(Extent& extent) const
{
    return const_cast<DisplayText*>(this)->Layout(0.0f, 0.0f, 0.0f, false, extent);
}

void DisplayText::BuildBuffers(UInt32 capacity)
{
    mCapacity = capacity;
    mVertices.assign(std::size_t(capacity) * 4 * kFloatsPerVertex, 0.0f);
    mIndices.resize(std::size_t(capacity) * 6);
    mGroups.resize(std::size_t(capacity) * 2);
    for (UInt32 i = 0; i < capacity; ++i) {
        const UInt16 first = UInt16(4 * i);
        const UInt16 pattern[6] = {first, UInt16(first + 2), UInt16(first + 1), UInt16(first + 1), UInt16(first + 2),
                                   UInt16(first + 3)};
        std::copy(pattern, pattern + 6, mIndices.begin() + std::ptrdiff_t(6 * i));
        mGroups[2 * i] = 6;
        mGroups[2 * i + 1] = 6 * i;
    }
    mIndexBuffer->SetIndexData(mIndices.data(), 6 * capacity);
    mIndexBuffer->SetNumberOfIndices(SInt32(6 * capacity));
    mIndexBuffer->SetDataModified();
    mVertexBuffer->SetVertexData(mVertices.data(), 4 * capacity, kVertexSize);
    // Attributes can be declared only before the buffer's Init; a rebuild keeps them.
    if (!mAttributesDeclared)
        DeclareVertexLayout(mVertexBuffer.Get(), kVertexLayout, 3);
    mAttributesDeclared = true;
    mBuffersBuilt = true;
}

Bool DisplayText::UpdateText()
{
    const char* id = mId.GetText();
    Extent measured{};
    if (!Layout(0.0f, 0.0f, 0.0f, false, measured)) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to retrieve length and dimensions for string \"%s\"", id,
                     mText.GetText());
        return false;
    }
    const Float w = mContainerWidth > 0.0f ? mContainerWidth : measured.mWidth;
    const Float h = mContainerHeight > 0.0f ? mContainerHeight : measured.mHeight;
    Float x0 = 0.0f;
    if (mHorizontalContainerAlignment == Enums::HorizontalAlignment::CENTER)
        x0 = -w / 2.0f;
    else if (mHorizontalContainerAlignment == Enums::HorizontalAlignment::RIGHT)
        x0 = -w;
    Float y0 = 0.0f;
    if (mVerticalContainerAlignment == Enums::VerticalAlignment::CENTER)
        y0 = -h / 2.0f;
    else if (mVerticalContainerAlignment == Enums::VerticalAlignment::BOTTOM)
        y0 = -h;
    x0 = Snap(x0, mMetrics.mStepX);
    y0 = Snap(y0, mMetrics.mStepY);

    // Without reserved characters the first text with glyphs sets the capacity; buffers built
    // empty before it are built once more.
    if (!mBuffersBuilt || (mCapacity == 0 && mReservedCharacters == 0 && measured.mCount > 0)) {
        const UInt32 wanted = mReservedCharacters != 0 ? mReservedCharacters : measured.mCount;
        BuildBuffers(std::min(wanted, kMaxCapacity));
    }
    if (measured.mCount > mCapacity)
        Debug::Trace("Graph::DisplayText::UpdateText(%s): String \"%s\" too long, reserved characters:%u", id,
                     mText.GetText(), mCapacity);
    Extent written{};
    if (!Layout(w, x0, y0, true, written)) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to create text buffers for string \"%s\"", id,
                     mText.GetText());
        return false;
    }
    return true;
}

Bool DisplayText::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    if (!mText.IsEmpty() && !mTextResourceId.IsEmpty()) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Cannot specify both text and textResourceId", id);
        return false;
    }
    if (mReservedCharacters > kMaxCapacity) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Reserved characters %u above %u", id, mReservedCharacters,
                     kMaxCapacity);
        return false;
    }
    if (mHorizontalAlignmentUnit < 0.0f)
        mHorizontalAlignmentUnit = std::fabs(mScaleFactor.x);
    if (mVerticalAlignmentUnit < 0.0f)
        mVerticalAlignmentUnit = std::fabs(mScaleFactor.y);
    Resource::ICollection* collection = state->GetResourceCollection();
    mFont = collection != nullptr ? collection->GetFont(mFontResourceId) : nullptr;
    if (mFont == nullptr) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to get resource font \"%s\"", id,
                     mFontResourceId.GetText());
        return false;
    }
    if (!mTextResourceId.IsEmpty()) {
        const char* text = collection->GetText(mTextResourceId);
        mText = String(text);
    }
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!mDrawable.Create(renderer, "Drawable")) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to create drawable object", id);
        return false;
    }
    if (!mIndexBuffer.Create(renderer, "IndexBuffer")) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to create indexBuffer object", id);
        return false;
    }
    if (!mVertexBuffer.Create(renderer, "VertexBuffer")) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to create vertex buffer object", id);
        return false;
    }
    mVertexBuffer->SetDynamic(true);
    UpdateMetrics();
    if (!UpdateText()) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to update text \"%s\"", id, mText.GetText());
        return false;
    }
    mNeedsUpdate = false;
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to initialize vertex buffer object", id);
        return false;
    }
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to initialize index buffer object", id);
        return false;
    }
    mDrawable->AddVertexBuffer(mVertexBuffer.Get());
    mDrawable->AddIndexBuffer(mIndexBuffer.Get());
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayText::InitSelf(%s): Failed to initialize drawable object", id);
        return false;
    }
    if (mController != nullptr)
        mController->AddEvaluator(&CreateScaleAnimationEvaluator);
    return true;
}

Bool DisplayText::DeInitObjects(const char* operation)
{
    const char* id = mId.GetText();
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayText::%s(%s): Failed to deinitialize drawable object", operation, id);
        return false;
    }
    if (!mVertexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayText::%s(%s): Failed to deinitialize vertex buffer object", operation, id);
        return false;
    }
    if (!mIndexBuffer.DeInit()) {
        Debug::Trace("Graph::DisplayText::%s(%s): Failed to deinitialize index buffer object", operation, id);
        return false;
    }
    return true;
}

Bool DisplayText::DeInitSelf(IDeInitState* state)
{
    if (!mDrawable.DeInit()) {
        Debug::Trace("Graph::DisplayText::DeInitSelf(%s): Failed to deinitialize drawable object", mId.GetText());
        return false;
    }
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (!DestroyBuffer(mDrawable, mVertexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayText::DeInitSelf(%s): Failed to deinitialize vertex buffer object", mId.GetText());
        return false;
    }
    if (!DestroyBuffer(mDrawable, mIndexBuffer, renderer)) {
        Debug::Trace("Graph::DisplayText::DeInitSelf(%s): Failed to deinitialize index buffer object", mId.GetText());
        return false;
    }
    mDrawable.Destroy(renderer);
    mFont = nullptr;
    return Transform::DeInitSelf(state);
}

Bool DisplayText::SuspendSelf(IDeInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    return DeInitObjects("SuspendSelf");
}

Bool DisplayText::ResumeSelf(IInitState* state)
{
    if (!ReleasesDisplayObjectsOnSuspend(state->GetConfiguration()))
        return true;
    const char* id = mId.GetText();
    if (!mIndexBuffer.Init()) {
        Debug::Trace("Graph::DisplayText::ResumeSelf(%s): Failed to initialize index buffer object", id);
        return false;
    }
    if (!mVertexBuffer.Init()) {
        Debug::Trace("Graph::DisplayText::ResumeSelf(%s): Failed to initialize vertex buffer object", id);
        return false;
    }
    if (!mDrawable.Init()) {
        Debug::Trace("Graph::DisplayText::ResumeSelf(%s): Failed to initialize drawable object", id);
        return false;
    }
    mNeedsUpdate = true;
    return true;
}

Bool DisplayText::ConfigChangedSelf(IConfigChangedState* state)
{
    const char* id = mId.GetText();
    if (!Transform::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::DisplayText::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed", id);
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    Resource::ICollection* collection = state->GetResourceCollection();
    if (mFont == nullptr || configuration == nullptr || collection == nullptr ||
        !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Bool changed = false;
    if (!mTextResourceId.IsEmpty()) {
        const String text(collection->GetText(mTextResourceId));
        changed = text != mText;
        mText = text;
    }
    // A font no longer found keeps the one in use.
    const Resource::IFont* font = collection->GetFont(mFontResourceId);
    if (font != nullptr && font != mFont) {
        mFont = font;
        changed = true;
    }
    if (!changed)
        return true;
    UpdateMetrics();
    if (!UpdateText()) {
        Debug::Trace("Graph::DisplayText::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed", id);
        return false;
    }
    return true;
}

Bool DisplayText::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    if (mNeedsUpdate) {
        UpdateMetrics();
        if (!UpdateText())
            return false;
        mNeedsUpdate = false;
    }
    state->AddRenderable(this, true);
    return true;
}

Bool DisplayText::CullOutput(ICullOutputState*)
{
    return true;
}

Bool DisplayText::EnqueueOutput(IEnqueueOutputState* state)
{
    if (!mDrawable.IsCreated())
        return true;
    if (mGeometryChanged) {
        mIndexBuffer->SetPrimitiveType(Enums::PrimitiveType::TRIANGLES);
        mIndexBuffer->SetBatches(mGroups.data());
        mIndexBuffer->SetNumberOfBatches(mNumberOfQuads);
        mIndexBuffer->SetBatchesModified();
        // A back-end copies only the vertices it is told of when the text changes.
        mVertexBuffer->SetNumberOfVertices(4 * mNumberOfQuads);
        mVertexBuffer->SetDataModified();
        if (Display::IRenderer* renderer = state->GetDisplayRenderer())
            renderer->AddUpdateObject(mDrawable.GetObject());
        mGeometryChanged = false;
    }
    // Without glyphs there is nothing to draw; an empty batch list can read as "draw all".
    if (mNumberOfQuads == 0)
        return true;
    EnqueueDrawable(state, mDrawable.Get(), mVertexBuffer.Get());
    return true;
}

} // namespace Graph
} // namespace Vorn
