// xmltool: prints a document's tree and converts documents between the text and binary
// forms, reading and writing them exactly as the game does.
//   xmltool dump FILE
//   xmltool to-binary IN OUT
//   xmltool to-text IN OUT
#include <cstdio>
#include <exception>
#include <string>

#include "persist/xml_document.h"

namespace
{

const char* const kUsage = "usage: xmltool dump FILE\n"
                           "       xmltool to-binary IN OUT\n"
                           "       xmltool to-text IN OUT\n";

// Each byte is one character; characters outside printable ASCII are written as \u00XX.
std::string json_string(const std::string& value)
{
    std::string out = "\"";
    for (char ch : value) {
        unsigned c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c > 0x7e) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

// One line per node, depth first: indent, name, attributes as stored, then the text.
void dump_node(const xmlNode& node, std::string& out)
{
    out.append(node.Level > 0 ? 2 * static_cast<size_t>(node.Level) : 0, ' ');
    out += node.Name;
    for (const auto& attr : node.AttributeList)
        out += " " + attr.Name + "=\"" + attr.Value + "\"";
    if (!node.Value.empty())
        out += " = " + json_string(node.Value);
    out += '\n';
    for (const auto& child : node.ChildList)
        dump_node(child, out);
}

} // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    bool dump = command == "dump" && argc == 3;
    bool convert = (command == "to-binary" || command == "to-text") && argc == 4;
    if (!dump && !convert) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        xmlDocument doc;
        doc.Load(argv[2]);
        if (dump) {
            std::string out;
            if (doc._RootNode)
                dump_node(*doc._RootNode, out);
            std::fwrite(out.data(), 1, out.size(), stdout);
        } else {
            doc.Save(argv[3], command == "to-binary" ? 2 : 1);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
