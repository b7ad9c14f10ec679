// The text form of a document: a tolerant byte-by-byte reader (one byte per character,
// entities decoded, text runs joined) and the writer with its CR LF lines.
#include <cstring>

#include "persist/xml_document.h"
#include "persist/xml_forms.h"

namespace
{

enum class Token { Nothing, Quoted, EmptyTagEnd, Slash, ClosingTag, TagOpen, Equals, TagEnd, Text, End };

const char* const kExpectEquals = "XML Parse Error: Expecting equals (=) after attribute name.";
const char* const kExpectValue = "XML Parse Error: Expecting attribute value.";
const char* const kUnclosedTag = "XML Parse Error: Unclosed tag (expecting \"/>\" or \">\")";
const char* const kMisplacedTagEnd = "XML Parse Error: Misplaced tag end (expecting tag or tag data).";
const char* const kMisplacedClosing = "XML Parse Error: Misplaced closing tag (no tag has been opened)";
const char* const kClosingMismatch = "XML Parse Error: Closing tag does not match opening tag.";
const char* const kUnclosedClosing = "XML Parse Error: Unclosed tag (expecting \">\")";
const char* const kMisplacedText = "XML Parse Error: Misplaced text (possibly not an xml file)";
const char* const kUnclosedNode = "XML Parse Error: Unclosed node tag (reached end of file)";

class TextReader
{
public:
    TextReader(xmlDocument& doc, const uint8_t* data, size_t size) : doc_(doc), p_(data), n_(size) {}

    void parse_document()
    {
        for (;;) {
            switch (next()) {
            case Token::TagOpen: {
                // Every top-level element is read into the one root node.
                xmlNode* root = doc_.Root();
                root->Name = text_;
                parse_element(root, 0);
                break;
            }
            case Token::TagEnd:
            case Token::EmptyTagEnd:
                throw XmlError(kMisplacedTagEnd);
            case Token::ClosingTag:
                throw XmlError(kMisplacedClosing);
            case Token::Text:
                throw XmlError(kMisplacedText);
            case Token::End:
                return;
            default:
                break; // a stray quoted value, equals or slash between elements is ignored
            }
        }
    }

private:
    // After a tag-open: the attributes, then the content unless the tag closes itself.
    void parse_element(xmlNode* node, int depth)
    {
        Token t = next();
        while (t == Token::Text) {
            xmlAttribute* raw = node->_AppendAttribute(text_);
            if (next() != Token::Equals)
                throw XmlError(kExpectEquals);
            if (next() != Token::Quoted)
                throw XmlError(kExpectValue);
            raw->Value = text_;
            t = next();
        }
        if (t == Token::TagEnd)
            parse_content(node, depth);
        else if (t != Token::EmptyTagEnd)
            throw XmlError(kUnclosedTag);
    }

    void parse_content(xmlNode* node, int depth)
    {
        // Joins text runs: a line break between runs becomes one space, while text split
        // by '=' or '/' is rejoined around that character.
        std::string separator;
        for (;;) {
            Token t = next();
            switch (t) {
            case Token::TagOpen: {
                if (depth + 1 > kXmlMaxDepth)
                    throw XmlError("XML Parse Error: Tags nested too deeply (more than " +
                                   std::to_string(kXmlMaxDepth) + " levels).");
                xmlNode* child = node->AddNode(text_, AS_CHILD);
                parse_element(child, depth + 1);
                break;
            }
            case Token::TagEnd:
            case Token::EmptyTagEnd:
                throw XmlError(kMisplacedTagEnd);
            case Token::ClosingTag:
                if (text_ != node->Name)
                    throw XmlError(kClosingMismatch);
                if (next() != Token::TagEnd)
                    throw XmlError(kUnclosedClosing);
                return;
            case Token::Text:
                if (node->Value.empty())
                    node->Value = text_;
                else
                    node->Value += separator + text_;
                separator = " ";
                break;
            case Token::Equals:
            case Token::Slash: {
                char c = t == Token::Equals ? '=' : '/';
                if (separator == " ")
                    separator = std::string(1, c);
                else
                    separator += c;
                break;
            }
            case Token::End:
                throw XmlError(kUnclosedNode);
            default:
                break; // a quoted value in content carries nothing
            }
        }
    }

    Token next()
    {
        Token t;
        do {
            t = scan();
        } while (t == Token::Nothing);
        return t;
    }

    bool at(size_t i, char c) const { return i < n_ && p_[i] == static_cast<uint8_t>(c); }

    // Decodes one character or entity at pos_ onto text_.
    void decode_one()
    {
        if (p_[pos_] == '&') {
            if (at(pos_ + 1, '#')) {
                // Each character adds its low four bits as a decimal digit, up to ';' or
                // the end of the data; only the low byte of the code is kept.
                pos_ += 2;
                uint32_t code = 0;
                while (pos_ < n_ && p_[pos_] != ';')
                    code = code * 10 + (p_[pos_++] & 15u);
                if (pos_ < n_)
                    ++pos_;
                text_.push_back(static_cast<char>(code & 0xffu));
                return;
            }
            static const struct {
                const char* spelled;
                char c;
            } kEntities[] = {{"&amp;", '&'}, {"&apos;", '\''}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
            for (const auto& e : kEntities) {
                size_t len = std::strlen(e.spelled);
                if (n_ - pos_ >= len && std::memcmp(p_ + pos_, e.spelled, len) == 0) {
                    text_.push_back(e.c);
                    pos_ += len;
                    return;
                }
            }
        }
        text_.push_back(static_cast<char>(p_[pos_++]));
    }

    // An element name after "<" or "</": up to a space (consumed), '>' or '/' (left).
    void scan_name()
    {
        size_t start = pos_;
        while (pos_ < n_ && p_[pos_] != ' ' && p_[pos_] != '>' && p_[pos_] != '/')
            ++pos_;
        text_.assign(reinterpret_cast<const char*>(p_ + start), pos_ - start);
        if (pos_ < n_ && p_[pos_] == ' ')
            ++pos_;
    }

    Token scan()
    {
        text_.clear();
        if (pos_ >= n_)
            return Token::End;
        uint8_t c = p_[pos_];
        switch (c) {
        case ' ':
        case '\r':
        case '\n':
            while (pos_ < n_ && (p_[pos_] == ' ' || p_[pos_] == '\r' || p_[pos_] == '\n'))
                ++pos_;
            return Token::Nothing;
        case '"':
            ++pos_;
            while (pos_ < n_ && p_[pos_] != '"')
                decode_one();
            if (pos_ < n_)
                ++pos_;
            return Token::Quoted;
        case '/':
            if (at(pos_ + 1, '>')) {
                pos_ += 2;
                return Token::EmptyTagEnd;
            }
            ++pos_;
            return Token::Slash;
        case '<':
            ++pos_;
            if (at(pos_, '/')) {
                ++pos_;
                scan_name();
                return Token::ClosingTag;
            }
            if (at(pos_, '-') || at(pos_, '?')) {
                // A comment or declaration runs to the next '>'.
                while (pos_ < n_ && p_[pos_] != '>')
                    ++pos_;
                if (pos_ < n_)
                    ++pos_;
                return Token::Nothing;
            }
            scan_name();
            return Token::TagOpen;
        case '=':
            ++pos_;
            return Token::Equals;
        case '>':
            ++pos_;
            return Token::TagEnd;
        default:
            while (pos_ < n_) {
                uint8_t d = p_[pos_];
                if (d == '/' || d == '<' || d == '=' || d == '>' || d == '\r')
                    break;
                decode_one();
            }
            return Token::Text;
        }
    }

    xmlDocument& doc_;
    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
    std::string text_; // name or decoded text of the last token
};

void append_escaped(std::string& out, const std::string& value)
{
    for (char ch : value) {
        unsigned c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "&quot;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            if (c < 32 || c > 126) {
                out += "&#";
                out += std::to_string(c);
                out += ';';
            } else {
                out += ch;
            }
        }
    }
}

void write_node(const xmlNode& node, std::string& out)
{
    size_t indent = node.Level > 0 ? 2 * static_cast<size_t>(node.Level) : 0;
    std::string open(indent, ' ');
    open += '<';
    open += node.Name;
    for (const auto& attr : node.AttributeList) {
        open += ' ';
        open += attr.Name;
        open += "=\"";
        append_escaped(open, attr.Value);
        open += '"';
    }
    out += open;
    if (node.HasChildren()) {
        out += ">\r\n";
        if (!node.Value.empty()) {
            out.append(indent + 2, ' ');
            append_escaped(out, node.Value);
            out += "\r\n";
        }
        for (const auto& child : node.ChildList)
            write_node(child, out);
        out.append(indent, ' ');
        out += "</" + node.Name + ">\r\n";
    } else if (!node.Value.empty()) {
        out += '>';
        append_escaped(out, node.Value);
        out += "</" + node.Name + ">\r\n";
    } else {
        out += "/>\r\n";
    }
}

} // namespace

void xmlDocument::LoadTextBytes(const uint8_t* data, size_t size)
{
    TextReader reader(*this, data, size);
    reader.parse_document();
}

std::string xml_text_of(const xmlNode* root)
{
    std::string out = "<?xml version=\"1.0\"?>\r\n";
    if (root)
        write_node(*root, out);
    return out;
}
