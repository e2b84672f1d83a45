// A text node for game tests that keeps the text it is given, written as "FakeText" in graph
// text; register it with Testing::NodeClassRegistration.
#pragma once

#include <new>

#include "graph/node.h"
#include "graph/text.h"

namespace Vorn {
namespace Testing {

class FakeTextNode : public Graph::Node, public Graph::IText
{
public:
    static Graph::INode* Create() { return new (std::nothrow) FakeTextNode(); }

    void SetHorizontalTextAlignment(Enums::TextAlignmentX alignment) override { mAlignmentX = alignment; }
    Enums::TextAlignmentX GetHorizontalTextAlignment() const override { return mAlignmentX; }
    void SetVerticalTextAlignment(Enums::TextAlignmentY alignment) override { mAlignmentY = alignment; }
    Enums::TextAlignmentY GetVerticalTextAlignment() const override { return mAlignmentY; }
    void SetText(const String& text) override { mText = text; }
    const String& GetText() const override { return mText; }

private:
    Enums::TextAlignmentX mAlignmentX{};
    Enums::TextAlignmentY mAlignmentY{};
    String mText;
};

} // namespace Testing
} // namespace Vorn
