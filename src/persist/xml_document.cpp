// The document tree: nodes, attributes and lookups, and loading and saving through the
// platform's files. The text and binary forms live in xml_text.cpp and xml_binary.cpp.
#include "persist/xml_document.h"

#include <iterator>

#include "platform/atomic_file.h"
#include "platform/files.h"

namespace
{

char lower_ascii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool names_equal(const std::string& a, const std::string& b, int case_sensitive)
{
    if (a.size() != b.size())
        return false;
    if (case_sensitive)
        return a == b;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower_ascii(a[i]) != lower_ascii(b[i]))
            return false;
    }
    return true;
}

} // namespace

void xmlAttribute::Free()
{
    if (Node)
        Node->AttributeList.erase(_Link); // destroys this attribute
}

xmlNode* xmlNode::AddNode(const std::string& name, int where)
{
    xmlNode* raw;
    if (where == AS_SIBLING) {
        if (!Parent)
            throw XmlError("xmlNode.AddNode(\"" + name +
                           "\", AS_SIBLING): The root node may not have siblings.");
        auto link = Parent->ChildList.emplace(std::next(_Link));
        raw = &*link;
        raw->Parent = Parent;
        raw->_Link = link;
    } else {
        raw = &ChildList.emplace_back();
        raw->Parent = this;
        raw->_Link = std::prev(ChildList.end());
    }
    raw->Name = name;
    raw->_Doc = _Doc;
    raw->_UpdateVars();
    return raw;
}

xmlNode* xmlNode::GetChild(int index) const
{
    if (index < 1)
        throw XmlError("xmlNode.SetIndex(" + std::to_string(index) + "): Index may not be less than 1.");
    for (auto& child : ChildList) {
        if (--index == 0)
            return const_cast<xmlNode*>(&child);
    }
    return nullptr;
}

xmlNode* xmlNode::FindChild(const std::string& name, int recursive, int case_sensitive)
{
    if (ChildList.empty())
        return nullptr;
    for (auto& child : ChildList) {
        if (names_equal(child.Name, name, case_sensitive))
            return &child;
    }
    if (recursive) {
        for (auto& child : ChildList) {
            if (!child.HasChildren())
                continue;
            if (xmlNode* hit = child.FindChild(name, recursive, case_sensitive))
                return hit;
        }
    }
    return nullptr;
}

xmlNode* xmlNode::FindChildEx(const std::string& name, const std::string& attr_name,
                              const std::string& attr_value, int recursive, int case_sensitive)
{
    if (ChildList.empty())
        return nullptr;
    for (auto& child : ChildList) {
        if (names_equal(child.Name, name, case_sensitive) &&
            names_equal(child.Attribute(attr_name, case_sensitive)->Value, attr_value, case_sensitive))
            return &child;
    }
    if (recursive) {
        for (auto& child : ChildList) {
            if (!child.HasChildren())
                continue;
            if (xmlNode* hit = child.FindChildEx(name, attr_name, attr_value, recursive, case_sensitive))
                return hit;
        }
    }
    return nullptr;
}

xmlAttribute* xmlNode::Attribute(const std::string& name, int case_sensitive)
{
    for (auto& attr : AttributeList) {
        if (names_equal(attr.Name, name, case_sensitive))
            return &attr;
    }
    return _AppendAttribute(name);
}

xmlAttribute* xmlNode::_AppendAttribute(const std::string& name)
{
    xmlAttribute* attr = &AttributeList.emplace_back();
    attr->Name = name;
    attr->Node = this;
    attr->_Link = std::prev(AttributeList.end());
    return attr;
}

xmlNode* xmlNode::NextSibling() const
{
    if (!Parent)
        return nullptr;
    auto next = std::next(_Link);
    return next == Parent->ChildList.end() ? nullptr : &*next;
}

void xmlNode::Free()
{
    ChildList.clear();
    AttributeList.clear();
    if (Parent) {
        xmlNode* parent = Parent;
        Parent = nullptr;
        parent->ChildList.erase(_Link); // destroys this node: nothing may follow
    }
}

void xmlNode::_UpdateVars()
{
    if (Parent)
        Level = Parent->Level + 1;
    for (auto& child : ChildList)
        child._UpdateVars();
}

void xmlNode::CleanAttributes()
{
    for (auto it = AttributeList.begin(); it != AttributeList.end();) {
        if (it->Name.empty() || it->Value.empty())
            it = AttributeList.erase(it);
        else
            ++it;
    }
}

xmlDocument::~xmlDocument()
{
    Clear();
}

std::unique_ptr<xmlDocument> xmlDocument::Create(const std::string& source)
{
    auto doc = std::make_unique<xmlDocument>();
    if (!source.empty())
        doc->Load(source);
    return doc;
}

xmlNode* xmlDocument::Root()
{
    if (!_RootNode) {
        _RootNode = std::make_unique<xmlNode>(xmlNode::allocator_type(&arena_));
        _RootNode->Name = "root";
        _RootNode->_Doc = this;
    }
    return _RootNode.get();
}

void xmlDocument::Clear()
{
    if (_RootNode) {
        _RootNode->Free();
        _RootNode.reset();
    }
    arena_.release();
}

namespace
{
int count_nodes(const xmlNode& node)
{
    int n = 1;
    for (const auto& child : node.ChildList)
        n += count_nodes(child);
    return n;
}
} // namespace

int xmlDocument::NodeCount()
{
    return count_nodes(*Root());
}

void xmlDocument::Load(const std::string& source)
{
    std::vector<uint8_t> bytes;
    if (!LoadBytes(source, bytes))
        throw XmlError("xmlDocument.Load(\"" + source + "\"): Cannot read from file.");
    try {
        LoadFromBytes(bytes.data(), bytes.size(), source);
    } catch (const XmlError& e) {
        if (!e.source.empty() || std::string(e.what()).find(source) != std::string::npos)
            throw;
        throw XmlError(e.what(), source);  // the parse errors do not name their file
    }
}

void xmlDocument::LoadFromBytes(const uint8_t* data, size_t size, const std::string& source)
{
    // Shorter files cannot carry the signature and are read as text.
    bool binary = size >= 3 && data[0] == 216 && data[1] == 241 && data[2] == 188;
    Clear();
    if (binary)
        LoadBinaryBytes(data, size, source);
    else
        LoadTextBytes(data, size);
}

void xmlDocument::Save(const std::string& source, int format)
{
    std::vector<uint8_t> bytes = SaveToBytes(format);
    AtomicFile file(source);
    if (!file.stream())
        throw XmlError("xmlDocument.Save(\"" + source + "\"): Cannot write to file.");
    file.stream()->write_bytes(bytes.data(), bytes.size());
    if (!file.Commit())
        throw StreamError(WriteErrorMessage(source));
}
