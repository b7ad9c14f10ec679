// The XML document store behind the tuning files: an in-memory tree with its own tolerant
// text reader, a compact binary form (signature 216 241 188) and writers for both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <memory_resource>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Raised by the reader and by misuse of the tree; what() is the message shown to the player.
class XmlError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    XmlError(const std::string& message, std::string file) : std::runtime_error(message), source(std::move(file)) {}
    // The file being read when the error arose ("" when the message names it already).
    std::string source;
};

// Where AddNode puts the new node.
constexpr int AS_CHILD = 1;
constexpr int AS_SIBLING = 2;

// Deepest element nesting the readers accept; a hostile file cannot exhaust the stack.
constexpr int kXmlMaxDepth = 256;

class xmlDocument;
class xmlNode;

// Strings hold one byte per character, which is also how documents are stored on disk.
class xmlAttribute
{
public:
    std::string Name;
    std::string Value;
    xmlNode* Node = nullptr;                      // owning node
    std::pmr::list<xmlAttribute>::iterator _Link; // position in Node->AttributeList

    // Unlinks the attribute from its node, which destroys it.
    void Free();
};

class xmlNode
{
public:
    // Lists hold the nodes and attributes themselves: their addresses stay put for life.
    using NodeList = std::pmr::list<xmlNode>;
    using AttrList = std::pmr::list<xmlAttribute>;
    // Nodes and attributes come from their document's arena: a tree of thousands of nodes
    // is built without a trip to the heap for each. The arena is given back by Clear, so
    // the memory of nodes freed one by one is reused only after that.
    using allocator_type = std::pmr::polymorphic_allocator<std::byte>;

    xmlNode() = default;
    explicit xmlNode(const allocator_type& alloc) : AttributeList(alloc), ChildList(alloc) {}

    std::string Name;
    std::string Value; // text content; runs of text are joined as the reader gathers them
    xmlNode* Parent = nullptr;
    int Level = 0; // depth: 0 for the root
    AttrList AttributeList;
    NodeList ChildList;
    NodeList::iterator _Link; // position in Parent->ChildList, meaningful only with a parent
    xmlDocument* _Doc = nullptr;

    // New node named name: the last child (AS_CHILD) or the sibling right after this node
    // (AS_SIBLING, which the root cannot have).
    xmlNode* AddNode(const std::string& name, int where);
    int ChildCount() const { return static_cast<int>(ChildList.size()); }
    // The index-th child counting from 1; nullptr past the last child.
    xmlNode* GetChild(int index) const;
    // First direct child named name, else (when recursive) the first hit below each child
    // in turn. case_sensitive 0 compares lower-cased names.
    xmlNode* FindChild(const std::string& name, int recursive, int case_sensitive);
    // As FindChild, but a child must also carry attr_name with attr_value. Each candidate
    // that lacked the attribute gains it, empty (lookup goes through Attribute).
    xmlNode* FindChildEx(const std::string& name, const std::string& attr_name, const std::string& attr_value,
                         int recursive, int case_sensitive);
    // The first attribute called name; a missing one is appended with an empty Value.
    xmlAttribute* Attribute(const std::string& name, int case_sensitive);
    int HasChildren() const { return ChildList.empty() ? 0 : 1; }
    xmlNode* FirstChild() const
    {
        return ChildList.empty() ? nullptr : const_cast<xmlNode*>(&ChildList.front());
    }
    xmlNode* NextSibling() const;
    // Frees children and attributes and unlinks the node from its parent. A node with a
    // parent is owned by it, so it is destroyed here: do not touch it afterwards.
    void Free();
    // Recomputes Level for this node and everything below it.
    void _UpdateVars();
    // Frees every attribute with an empty Name or Value.
    void CleanAttributes();
    // Appends an attribute without looking for an existing one (the readers keep duplicates).
    xmlAttribute* _AppendAttribute(const std::string& name);
};

class xmlDocument
{
public:
    xmlDocument() = default;
    ~xmlDocument();
    xmlDocument(const xmlDocument&) = delete;
    xmlDocument& operator=(const xmlDocument&) = delete;

private:
    std::pmr::monotonic_buffer_resource arena_; // declared first: outlives the tree

public:
    std::unique_ptr<xmlNode> _RootNode;

    // A new document, loaded from source when one is given (throws like Load).
    static std::unique_ptr<xmlDocument> Create(const std::string& source = "");
    xmlNode* Root();
    // Reads a game path, text or binary by its first three bytes.
    void Load(const std::string& source);
    // format 1 text (CR LF lines), 2 binary.
    void Save(const std::string& source, int format);
    int NodeCount();
    void SetEncryptionKey(const std::string&) {} // documents are never scrambled
    void Clear();

    // The same readers and writers over bytes in memory; source names the data in messages.
    void LoadFromBytes(const uint8_t* data, size_t size, const std::string& source);
    void LoadTextBytes(const uint8_t* data, size_t size);
    void LoadBinaryBytes(const uint8_t* data, size_t size, const std::string& source);
    std::vector<uint8_t> SaveToBytes(int format);
};
