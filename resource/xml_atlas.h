// The atlas read from an XML "Atlas" document: one "Rectangle" element per record, in document
// order. It owns its records and writes the native "ATLS" form on request.
#pragma once

#include "foundation/array.h"
#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/xml_parser.h"
#include "resource/atlas.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class XmlAtlas : public Atlas
{
public:
    // Reads an "Atlas" document into rectangle records. An element that is not a "Rectangle"
    // directly inside the document element, or a rectangle that does not read, fails the document.
    class Parser : public Util::XmlParser
    {
    public:
        Parser();
        ~Parser() override;

        Bool IsRootElement(const String& name) override;
        Bool OnRootElement(const String& name, Util::Attributes* attributes) override;
        Bool OnElement(const String& name, Util::Attributes* attributes) override;

        // The records in document order; the caller may take them over.
        Array<AtlasRectangle>& GetRectangles() { return mRectangles; }

        // Each axis is given by its two edges, by one edge and the extent, or by the centre and the
        // extent (scene axes default to extent 1 around 0). False, with one log line per axis
        // that breaks these rules, or when an attribute does not convert; the record is then left
        // untouched.
        Bool ParseRectangle(const IAttributes& attributes, AtlasRectangle* rectangle);

    private:
        Array<AtlasRectangle> mRectangles;
    };

    // Object creator. Declines (null, failed untouched) bytes that are not an XML document with an
    // "Atlas" root element; refuses, with a log line and failed set, such a document that does not
    // read. Converts everything, so releaseData stays true.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // The atlas keeps nothing of the document it was read from, so data may be null.
    XmlAtlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~XmlAtlas() override;

    // The native form written from the records.
    Bool GetNativeData(Data& data) const override;

private:
    // Takes over the parser's records.
    void TakeRectangles(Parser& parser);

    Array<AtlasRectangle> mRectangleBlock;
};

} // namespace Resource
} // namespace Vorn
