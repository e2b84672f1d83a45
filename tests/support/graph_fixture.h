// Graph fixtures for resource tests: an XML graph parsed from text, and the native "GRPH" bytes
// the writer makes from it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "foundation/data.h"
#include "resource/native_graph.h"
#include "resource/xml_graph.h"

namespace Vorn {
namespace Testing {

// The graph of the XML text; null (with a test failure) when it does not parse.
inline std::unique_ptr<Resource::XmlGraph> ParseXmlGraph(const char* xml, const char* id = "graph")
{
    Bool releaseData = false;
    Bool failed = false;
    Resource::IObject* object = Resource::XmlGraph::Create(nullptr, String(id), xml, UInt32(std::strlen(xml)), nullptr,
                                                           0, &releaseData, &failed);
    EXPECT_NE(object, nullptr) << xml;
    return std::unique_ptr<Resource::XmlGraph>(static_cast<Resource::XmlGraph*>(object));
}

// The native form of the XML graph; empty (with a test failure) when it cannot be made.
inline Data MakeNativeGraph(const char* xml)
{
    Data bytes;
    std::unique_ptr<Resource::XmlGraph> graph = ParseXmlGraph(xml);
    if (graph != nullptr) {
        EXPECT_TRUE(graph->GetNativeData(bytes)) << xml;
    }
    return bytes;
}

} // namespace Testing
} // namespace Vorn
