// Base of every XML reader (packages, graphs, animations, atlases, server replies): parses a whole
// document in memory and hands each element's name and attributes to the reader. Character data
// and element ends are not passed on; the formats keep all content in names and attributes.
#pragma once

#include "foundation/array.h"
#include "foundation/attributes.h"
#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"

struct XML_ParserStruct;

namespace Vorn {
namespace Util {

class XmlParser
{
public:
    XmlParser();
    virtual ~XmlParser();

    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // True when the document parsed and every element was accepted. A rejected element is
    // skipped with everything inside it and parsing goes on, so that all errors are collected.
    // A Parse started from inside a handler of the running one is refused.
    virtual Bool Parse(const void* data, UInt32 size);
    virtual Bool Parse(const ConstData& data);

    // After a failed Parse: true when the failure happened inside a document whose root element
    // this reader accepted, false when the data was not XML, broke before the root element or
    // had another format's root (the next reader may try).
    virtual Bool HasDocumentError() const;
    // "XML parse error line N: message", further errors joined with ", "; empty after success.
    virtual const String& GetErrorString() const;

    // Accepts or rejects an element; by default dispatches to the three decisions below.
    virtual Bool OnStartElement(const String& name, Attributes* attributes);
    virtual Bool IsRootElement(const String& name) = 0;
    virtual Bool OnRootElement(const String& name, Attributes* attributes) = 0;
    virtual Bool OnElement(const String& name, Attributes* attributes) = 0;

    // Number of accepted enclosing elements: 0 inside the root handler, 1 for its children.
    virtual UInt32 GetDepth() const;
    // Appends the current line and the message to the error text; false outside a parse.
    virtual Bool BuildErrorString(const String& message);

    // The line expat is at while a parse runs; 0 otherwise.
    UInt32 GetCurrentLineNumber() const;

    static void HandleStartElement(void* userData, const char* name, const char** attributes);
    static void HandleEndElement(void* userData, const char* name);

private:
    void DestroyElementStack();

    UInt32 mSkipDepth;
    UInt32 mDepth;
    Bool mRootAccepted;
    Bool mErrorOccurred;
    Bool mDocumentError;
    String mErrorString;
    // One list per open accepted element, innermost last; the parser owns them.
    Array<Attributes*> mElementStack;
    XML_ParserStruct* mParser;
};

} // namespace Util
} // namespace Vorn
