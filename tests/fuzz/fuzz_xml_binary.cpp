// The document loader on arbitrary bytes (mostly the binary form, by the seeds' signature):
// a tree or an error, never a crash or a huge allocation. What loads must re-save stably.
#include <cstdint>
#include <exception>

#include "fuzz_support.h"
#include "persist/xml_document.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    xmlDocument doc;
    try {
        doc.LoadFromBytes(data, size, "fuzz.bin");
    } catch (const XmlError&) {
        return 0;
    } catch (const StreamError&) {
        return 0;
    }
    std::vector<uint8_t> binary = doc.SaveToBytes(2);
    xmlDocument again;
    again.LoadFromBytes(binary.data(), binary.size(), "fuzz.bin");
    FUZZ_CHECK(again.NodeCount() == doc.NodeCount());
    FUZZ_CHECK(again.SaveToBytes(2) == binary);
    doc.SaveToBytes(1);
    return 0;
}
