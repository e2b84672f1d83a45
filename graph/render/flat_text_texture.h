// The text texture ("FlatTextTexture"): a texture whose pixels are a text drawn with a system
// font of the platform into a surface of the texture's size. The text is drawn again, at most once
// per output frame, after it or its alignment changed; game code sets both through Graph::IText.
#pragma once

#include "foundation/attributes.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "graph/render/texture.h"
#include "graph/text.h"

namespace Vorn {

class IDisplaySurface;
class ISystemFont;
class ISystemFontControl;

namespace Graph {

class FlatTextTexture : public Texture, public IText
{
public:
    FlatTextTexture();
    ~FlatTextTexture() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetHorizontalTextAlignment(Enums::TextAlignmentX alignment) override;
    Enums::TextAlignmentX GetHorizontalTextAlignment() const override;
    void SetVerticalTextAlignment(Enums::TextAlignmentY alignment) override;
    Enums::TextAlignmentY GetVerticalTextAlignment() const override;
    void SetText(const String& text) override;
    const String& GetText() const override;

    // Queues the display texture for update after a redraw and hands over the sampling settings.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // The texture size divided by the prescale factor.
    virtual UInt32 GetSurfaceWidth() const;
    virtual UInt32 GetSurfaceHeight() const;

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    // Draws the text when it changed and registers the texture when anything is to be handed over.
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    String mFontId;
    Float mFontSize;
    String mTextResourceId;
    String mText;
    Color mTextColor;
    Color mBackgroundColor;
    Enums::TextAlignmentX mHorizontalTextAlignment;
    Enums::TextAlignmentY mVerticalTextAlignment;
    IDisplaySurface* mSurface;
    ISystemFont* mFont;
    UInt32 mPrescaleFactor;
    UInt32 mSurfaceWidth;
    UInt32 mSurfaceHeight;
    Bool mRedrawText;
    Bool mSurfaceChanged;
};

} // namespace Graph
} // namespace Vorn
