// Text nodes for game tests that keep the text they are given: Testing::TextNode, written as
// "FakeText", and FakeDisplayTextNode, written as "FakeDisplayText", in graph text; register them
// with Testing::NodeClassRegistration. The display text's font has glyphs for the characters
// listed in its mGlyphs.
#pragma once

#include <new>
#include <string>
#include <vector>

#include "graph/node.h"
#include "graph/display_text.h"
#include "graph/text.h"
#include "tests/support/text_node.h"

namespace Vorn {
namespace Testing {

class FakeDisplayTextNode : public Graph::Node, public Graph::IDisplayText
{
public:
    static Graph::INode* Create() { return new (std::nothrow) FakeDisplayTextNode(); }

    void SetHorizontalTextAlignment(Enums::TextAlignmentX) override {}
    Enums::TextAlignmentX GetHorizontalTextAlignment() const override { return Enums::TextAlignmentX{}; }
    void SetVerticalTextAlignment(Enums::TextAlignmentY) override {}
    Enums::TextAlignmentY GetVerticalTextAlignment() const override { return Enums::TextAlignmentY{}; }
    void SetText(const String& text) override { mText = text; }
    const String& GetText() const override { return mText; }
    void SetScaleFactor(Real x, Real y, Real z) override { mScale = Math::Vector<float>(x, y, z, 1.0f); }
    void SetScaleFactor(const Math::Vector<float>& factor) override { mScale = factor; }
    void SetScaleFactorX(Real x) override { mScale.x = x; }
    void SetScaleFactorY(Real y) override { mScale.y = y; }
    void SetScaleFactorZ(Real z) override { mScale.z = z; }
    const Math::Vector<float>& GetScaleFactor() const override { return mScale; }
    Real GetScaleFactorX() const override { return mScale.x; }
    Real GetScaleFactorY() const override { return mScale.y; }
    Real GetScaleFactorZ() const override { return mScale.z; }
    void SetHorizontalContainerAlignment(Enums::TextAlignmentX) override {}
    Enums::TextAlignmentX GetHorizontalContainerAlignment() const override { return Enums::TextAlignmentX{}; }
    void SetVerticalContainerAlignment(Enums::TextAlignmentY) override {}
    Enums::TextAlignmentY GetVerticalContainerAlignment() const override { return Enums::TextAlignmentY{}; }
    Bool HasGlyph(const String& character) const override { return HasGlyph(character.GetText()); }
    Bool HasGlyph(const char* character) const override
    {
        mAsked.push_back(character);
        for (const std::string& glyph : mGlyphs) {
            if (glyph == character)
                return true;
        }
        return false;
    }

    std::vector<std::string> mGlyphs;
    // Every character asked for, in order.
    mutable std::vector<std::string> mAsked;

private:
    String mText;
    Math::Vector<float> mScale{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace Testing
} // namespace Vorn
