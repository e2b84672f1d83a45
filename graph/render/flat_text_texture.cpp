#include "graph/render/flat_text_texture.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "output/device_handler.h"
#include "platform/system_font.h"

namespace Vorn {
namespace Graph {
namespace {

// The platform's font rendering: system font control 0 of the output device handler.
ISystemFontControl* GetFontControl(Output::IDeviceHandler* handler)
{
    return handler != nullptr ? handler->GetSystemFontControl(0) : nullptr;
}

} // namespace

FlatTextTexture::FlatTextTexture()
    : mFontSize(10.0f),
      mTextColor{1.0f, 1.0f, 1.0f, 1.0f},
      mBackgroundColor{0.0f, 0.0f, 0.0f, 0.0f},
      mHorizontalTextAlignment(Enums::TextAlignmentX::CENTER),
      mVerticalTextAlignment(Enums::TextAlignmentY::CENTER),
      mSurface(nullptr),
      mFont(nullptr),
      mPrescaleFactor(1),
      mSurfaceWidth(0),
      mSurfaceHeight(0),
      mRedrawText(true),
      mSurfaceChanged(true)
{
    mTextureFlags &= ~kUseMipMaps;
    AddFlags(kNeedsPrepareOutput);
}

FlatTextTexture::~FlatTextTexture() {}

INode* FlatTextTexture::Create()
{
    return new (std::nothrow) FlatTextTexture();
}

const NodeClassInfo& FlatTextTexture::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("FlatTextTexture"));
    return info;
}

Bool FlatTextTexture::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                           Bool* error)
{
    switch (FlatTextTextureAttributes::GetTable().FindAttribute(attributes, index)) {
    case FlatTextTextureAttributes::kFontId:
        attributes->GetValue(index, parameters, &mFontId, error);
        return true;
    case FlatTextTextureAttributes::kFontSize:
        attributes->GetValue(index, parameters, &mFontSize, error);
        return true;
    case FlatTextTextureAttributes::kTextResourceId:
        attributes->GetValue(index, parameters, &mTextResourceId, error);
        return true;
    case FlatTextTextureAttributes::kText:
        attributes->GetValue(index, parameters, &mText, error);
        return true;
    case FlatTextTextureAttributes::kTextColor:
        attributes->GetValue(index, parameters, &mTextColor, error);
        return true;
    case FlatTextTextureAttributes::kBackgroundColor:
        attributes->GetValue(index, parameters, &mBackgroundColor, error);
        return true;
    case FlatTextTextureAttributes::kHorizontalTextAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextAlignmentXTable(),
                           mHorizontalTextAlignment);
        return true;
    case FlatTextTextureAttributes::kVerticalTextAlignment:
        Util::GetEnumValue(*attributes, index, parameters, error, Enums::GetTextAlignmentYTable(),
                           mVerticalTextAlignment);
        return true;
    default:
        return Texture::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void FlatTextTexture::SetHorizontalTextAlignment(Enums::TextAlignmentX alignment)
{
    if (alignment == mHorizontalTextAlignment)
        return;
    mHorizontalTextAlignment = alignment;
    mRedrawText = true;
}

Enums::TextAlignmentX FlatTextTexture::GetHorizontalTextAlignment() const
{
    return mHorizontalTextAlignment;
}

void FlatTextTexture::SetVerticalTextAlignment(Enums::TextAlignmentY alignment)
{
    if (alignment == mVerticalTextAlignment)
        return;
    mVerticalTextAlignment = alignment;
    mRedrawText = true;
}

Enums::TextAlignmentY FlatTextTexture::GetVerticalTextAlignment() const
{
    return mVerticalTextAlignment;
}

void FlatTextTexture::SetText(const String& text)
{
    if (text == mText)
        return;
    mText = text;
    mRedrawText = true;
}

const String& FlatTextTexture::GetText() const
{
    return mText;
}

UInt32 FlatTextTexture::GetSurfaceWidth() const
{
    return mSurfaceWidth;
}

UInt32 FlatTextTexture::GetSurfaceHeight() const
{
    return mSurfaceHeight;
}

Bool FlatTextTexture::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Texture::InitSelf(state)) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    if (!CheckDrawnTargetSettings("FlatTextTexture"))
        return false;
    if (mPixelFormat != Enums::PixelFormat::R8_G8_B8_A8) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): Only pixel format R8_G8_B8_A8 supported", id);
        return false;
    }
    ISystemFontControl* control = GetFontControl(state->GetOutputDeviceHandler());
    if (control == nullptr) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): No font rendering control available", id);
        return false;
    }
    mPrescaleFactor = GetPrescaleFactor(state->GetConfiguration());
    mSurfaceWidth = mWidth / mPrescaleFactor;
    mSurfaceHeight = mHeight / mPrescaleFactor;
    mSurface = control->CreateSurface(mPixelFormat, mSurfaceWidth, mSurfaceHeight);
    if (mSurface == nullptr) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): Failed to create output surface", id);
        return false;
    }
    mFont = control->CreateSystemFont(mFontId.GetText(), mFontSize / Float(mPrescaleFactor));
    if (mFont == nullptr) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): Failed to create system font", id);
        return false;
    }
    mDisplayTexture =
        BackEndObject::Create<Display::ITexture>(state->GetDisplayRenderer(), "Texture", mDisplayObject);
    if (mDisplayTexture == nullptr) {
        Debug::Trace("Graph::FlatTextTexture::InitSelf(%s): Failed to create texture object", id);
        return false;
    }
    mDisplayTexture->SetMipMaps(false);
    mDisplayTexture->SetType(0);
    mDisplayTexture->SetSurface(0, mSurface);
    ApplySampling();
    return BackEndObject::Init(mDisplayObject, LogSite{"FlatTextTexture", "InitSelf", mId},
                               "Failed to initialize texture object");
}

Bool FlatTextTexture::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject,
                                LogSite{"FlatTextTexture", "DeInitSelf", mId}, "Failed to deinitialize texture object"))
        return false;
    mDisplayTexture = nullptr;
    if (ISystemFontControl* control = GetFontControl(state->GetOutputDeviceHandler())) {
        if (mFont != nullptr)
            control->DestroySystemFont(mFont);
        if (mSurface != nullptr)
            control->DestroySurface(mSurface);
    }
    mFont = nullptr;
    mSurface = nullptr;
    return Texture::DeInitSelf(state);
}

Bool FlatTextTexture::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                  LogSite{"FlatTextTexture", "SuspendSelf", mId},
                                  "Failed to deinitialize texture object");
}

Bool FlatTextTexture::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                 LogSite{"FlatTextTexture", "ResumeSelf", mId}, "Failed to initialize texture object");
}

Bool FlatTextTexture::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    Bool hasOutput = (mTextureFlags & kSamplingChanged) != 0;
    mTextureFlags &= ~kSamplingChanged;
    if (mRedrawText && mFont != nullptr && mSurface != nullptr) {
        mRedrawText = false;
        // A text that cannot be drawn leaves the texture as it was; the frame goes on.
        if (mFont->DrawText(mText.GetText(), &mTextColor.red, &mBackgroundColor.red, 0.0f, 0.0f,
                            mHorizontalTextAlignment, mVerticalTextAlignment, mSurface)) {
            mDisplayTexture->SetModified(0);
            mSurfaceChanged = true;
            hasOutput = true;
        } else {
            Debug::Trace("Graph::FlatTextTexture::PrepareOutputSelf(%s): Failed to draw text", mId.GetText());
        }
    }
    if (hasOutput)
        state->AddRenderable(this, false);
    return true;
}

Bool FlatTextTexture::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* renderer = state->GetDisplayRenderer();
    if (mSurfaceChanged && mDisplayObject != nullptr && renderer != nullptr) {
        renderer->AddUpdateObject(mDisplayObject);
        mSurfaceChanged = false;
    }
    ApplySampling();
    return true;
}

} // namespace Graph
} // namespace Vorn
