#include "foundation/xml_parser.h"

#include <climits>

#include <expat.h>

#include "foundation/text.h"

namespace Vorn {
namespace Util {

XmlParser::XmlParser()
    : mSkipDepth(0), mDepth(0), mRootAccepted(false), mErrorOccurred(false), mDocumentError(false), mParser(nullptr)
{
}

XmlParser::~XmlParser()
{
    DestroyElementStack();
}

void XmlParser::DestroyElementStack()
{
    // Elements still open when a parse failed leave their lists behind.
    for (Attributes* attributes : mElementStack)
        delete attributes;
    mElementStack.Clear();
}

Bool XmlParser::Parse(const ConstData& data)
{
    return Parse(data.GetData(), data.GetSize());
}

Bool XmlParser::Parse(const void* data, UInt32 size)
{
    // A handler that starts another parse on its own parser would pull the state from under
    // the running one.
    if (mParser != nullptr)
        return false;

    DestroyElementStack();
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (parser == nullptr) {
        mErrorString = "XML parse error: out of memory";
        mErrorOccurred = true;
        mDocumentError = false;
        return false;
    }
    mParser = parser;
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_ALWAYS);
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, HandleStartElement, HandleEndElement);

    mSkipDepth = 0;
    mDepth = 0;
    mRootAccepted = false;
    mErrorOccurred = false;
    mDocumentError = false;
    mErrorString.Clear();

    // expat counts in int; a buffer beyond that goes in pieces, the last one marked final.
    const char* bytes = static_cast<const char*>(data);
    UInt32 remaining = bytes != nullptr ? size : 0;
    XML_Status status = XML_STATUS_OK;
    while (remaining > UInt32(INT_MAX) && status == XML_STATUS_OK) {
        status = XML_Parse(parser, bytes, INT_MAX, XML_FALSE);
        bytes += INT_MAX;
        remaining -= UInt32(INT_MAX);
    }
    if (status == XML_STATUS_OK)
        status = XML_Parse(parser, bytes, int(remaining), XML_TRUE);

    if (status != XML_STATUS_OK) {
        const XML_LChar* message = XML_ErrorString(XML_GetErrorCode(parser));
        BuildErrorString(String(message));
        mErrorOccurred = true;
    }

    Bool result = true;
    if (mErrorOccurred) {
        result = false;
        mDocumentError = mRootAccepted;
    }
    mParser = nullptr;
    XML_ParserFree(parser);
    return result;
}

Bool XmlParser::HasDocumentError() const
{
    return mDocumentError;
}

const String& XmlParser::GetErrorString() const
{
    return mErrorString;
}

Bool XmlParser::OnStartElement(const String& name, Attributes* attributes)
{
    if (mDepth == 0) {
        if (IsRootElement(name)) {
            mRootAccepted = true;
            if (OnRootElement(name, attributes))
                return true;
        }
    } else if (OnElement(name, attributes)) {
        return true;
    }
    BuildErrorString("parsing tag <" + name + ">");
    return false;
}

UInt32 XmlParser::GetDepth() const
{
    return mDepth;
}

UInt32 XmlParser::GetCurrentLineNumber() const
{
    if (mParser == nullptr)
        return 0;
    return UInt32(XML_GetCurrentLineNumber(mParser));
}

Bool XmlParser::BuildErrorString(const String& message)
{
    const UInt32 line = GetCurrentLineNumber();
    if (line == 0)
        return false;
    if (mErrorString.IsEmpty())
        mErrorString = "XML parse error ";
    else
        mErrorString += ", ";
    char number[16];
    PrintToBuffer(number, SInt32(sizeof(number)), "%u", line);
    mErrorString += "line ";
    mErrorString += number;
    mErrorString += ": ";
    mErrorString += message;
    return true;
}

void XmlParser::HandleStartElement(void* userData, const char* name, const char** attributeList)
{
    XmlParser* self = static_cast<XmlParser*>(userData);
    if (self->mSkipDepth > 0) {
        ++self->mSkipDepth;
        return;
    }
    Attributes* attributes = new Attributes(attributeList);
    if (self->OnStartElement(String(name), attributes)) {
        self->mElementStack.Add(attributes);
        ++self->mDepth;
    } else {
        delete attributes;
        self->mErrorOccurred = true;
        self->mSkipDepth = 1;
    }
}

void XmlParser::HandleEndElement(void* userData, const char*)
{
    XmlParser* self = static_cast<XmlParser*>(userData);
    if (self->mSkipDepth > 0) {
        --self->mSkipDepth;
        return;
    }
    if (self->mElementStack.IsEmpty())
        return;
    delete self->mElementStack.GetLast();
    self->mElementStack.SetCount(self->mElementStack.GetCount() - 1);
    --self->mDepth;
}

} // namespace Util
} // namespace Vorn
