// The binary form of a document: signature 216 241 188, then each node depth first as
// Name, Value, attribute count and pairs, child count and children. Integers are 4 bytes
// little-endian; a string is its length followed by one byte per character.
#include <cstring>

#include "persist/xml_document.h"
#include "persist/xml_forms.h"
#include "platform/files.h"

namespace
{

// Smallest encodings, used to reject counts the remaining bytes cannot hold before
// anything is allocated for them.
constexpr size_t kMinAttributeBytes = 8; // two empty strings
constexpr size_t kMinNodeBytes = 16;     // two empty strings and two zero counts

class BinaryReader
{
public:
    BinaryReader(const uint8_t* data, size_t size, const std::string& source)
        : p_(data), n_(size), source_(source)
    {
    }

    void read_node(xmlNode* node, int depth)
    {
        node->Name = read_string();
        node->Value = read_string();
        int32_t attributes = read_int();
        if (attributes > 0 && static_cast<size_t>(attributes) > remaining() / kMinAttributeBytes)
            ended_early();
        for (int32_t i = 0; i < attributes; ++i) {
            xmlAttribute* attr = node->_AppendAttribute(read_string());
            attr->Value = read_string();
        }
        int32_t children = read_int();
        if (children > 0 && static_cast<size_t>(children) > remaining() / kMinNodeBytes)
            ended_early();
        if (children > 0 && depth + 1 > kXmlMaxDepth)
            throw XmlError("xmlDocument.Load(\"" + source_ + "\"): Nodes nested too deeply (more than " +
                           std::to_string(kXmlMaxDepth) + " levels).");
        for (int32_t i = 0; i < children; ++i)
            read_node(node->AddNode("", AS_CHILD), depth + 1);
    }

    void skip(size_t k)
    {
        need(k);
        pos_ += k;
    }

private:
    size_t remaining() const { return n_ - pos_; }

    [[noreturn]] void ended_early() const { throw StreamError(ReadErrorMessage(source_)); }

    void need(size_t k) const
    {
        if (remaining() < k)
            ended_early();
    }

    int32_t read_int()
    {
        need(4);
        uint32_t v = static_cast<uint32_t>(p_[pos_]) | static_cast<uint32_t>(p_[pos_ + 1]) << 8 |
                     static_cast<uint32_t>(p_[pos_ + 2]) << 16 | static_cast<uint32_t>(p_[pos_ + 3]) << 24;
        pos_ += 4;
        return static_cast<int32_t>(v);
    }

    // A length of zero or less reads as the empty string.
    std::string read_string()
    {
        int32_t length = read_int();
        if (length <= 0)
            return {};
        need(static_cast<size_t>(length));
        std::string s(reinterpret_cast<const char*>(p_ + pos_), static_cast<size_t>(length));
        pos_ += static_cast<size_t>(length);
        return s;
    }

    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
    const std::string& source_;
};

void put_int(std::string& out, int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xffu));
}

void put_string(std::string& out, const std::string& s)
{
    put_int(out, static_cast<int32_t>(s.size()));
    out += s;
}

void write_node(const xmlNode& node, std::string& out)
{
    put_string(out, node.Name);
    put_string(out, node.Value);
    put_int(out, static_cast<int32_t>(node.AttributeList.size()));
    for (const auto& attr : node.AttributeList) {
        put_string(out, attr.Name);
        put_string(out, attr.Value);
    }
    put_int(out, node.ChildCount());
    for (const auto& child : node.ChildList)
        write_node(child, out);
}

} // namespace

void xmlDocument::LoadBinaryBytes(const uint8_t* data, size_t size, const std::string& source)
{
    if (size < 3 || data[0] != 216 || data[1] != 241 || data[2] != 188)
        throw XmlError("xmlDocument.Load(\"" + source +
                       "\"): Tried to load a non-binary file as a binary file.");
    BinaryReader reader(data, size, source);
    reader.skip(3);
    reader.read_node(Root(), 0);
}

std::string xml_binary_of(const xmlNode* root)
{
    std::string out = "\xd8\xf1\xbc";
    if (root) {
        write_node(*root, out);
    } else {
        // An empty document stores the root that Root() would make, so it reads back.
        xmlNode empty;
        empty.Name = "root";
        write_node(empty, out);
    }
    return out;
}

std::vector<uint8_t> xmlDocument::SaveToBytes(int format)
{
    std::string bytes = format == 2 ? xml_binary_of(_RootNode.get()) : xml_text_of(_RootNode.get());
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
