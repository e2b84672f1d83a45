// The XML parser under every XML reader, with a reader that accepts every element and reads
// every attribute, and one that refuses every second element (skipped with its content).
#include <cstddef>
#include <cstdint>

#include "foundation/xml_parser.h"

namespace {

class Reader : public Vorn::Util::XmlParser
{
public:
    explicit Reader(bool refuseSome) : mRefuseSome(refuseSome) {}

    Vorn::Bool IsRootElement(const Vorn::String& name) override { return !name.IsEmpty(); }
    Vorn::Bool OnRootElement(const Vorn::String& name, Vorn::Util::Attributes* attributes) override
    {
        return Read(name, attributes);
    }
    Vorn::Bool OnElement(const Vorn::String& name, Vorn::Util::Attributes* attributes) override
    {
        return Read(name, attributes) && !(mRefuseSome && (++mCount & 1) == 0);
    }

private:
    Vorn::Bool Read(const Vorn::String& name, Vorn::Util::Attributes* attributes)
    {
        Vorn::UInt32 sum = name.GetHash() + GetDepth() + GetCurrentLineNumber();
        for (Vorn::UInt32 i = 0; i < attributes->GetNumberOfAttributes(); ++i) {
            Vorn::String attributeName;
            Vorn::String value;
            if (attributes->GetNameAndValue(i, &attributeName, &value))
                sum += attributeName.GetHash() + value.GetHash();
        }
        mSum = mSum + sum;
        return true;
    }

    bool mRefuseSome;
    Vorn::UInt32 mCount = 0;
    volatile Vorn::UInt32 mSum = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    for (bool refuseSome : {false, true}) {
        Reader reader(refuseSome);
        if (!reader.Parse(data, Vorn::UInt32(size)))
            reader.GetErrorString();
    }
    return 0;
}
