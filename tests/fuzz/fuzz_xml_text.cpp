// The text reader on arbitrary bytes: it either builds a tree or raises one of its errors.
// A tree it builds must survive the binary form unchanged.
#include <cstdint>
#include <exception>

#include "fuzz_support.h"
#include "persist/xml_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    xmlDocument doc;
    try {
        doc.LoadTextBytes(data, size);
    } catch (const XmlError&) {
        return 0;
    }
    std::vector<uint8_t> binary = doc.SaveToBytes(2);
    xmlDocument again;
    again.LoadFromBytes(binary.data(), binary.size(), "fuzz.bin");
    FUZZ_CHECK(again.NodeCount() == doc.NodeCount());
    FUZZ_CHECK(again.SaveToBytes(2) == binary);
    doc.SaveToBytes(1);
    doc.Root()->FindChild("level_1", 1, 0);
    return 0;
}
