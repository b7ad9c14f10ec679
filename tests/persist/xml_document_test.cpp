#include "persist/xml_document.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace
{

std::unique_ptr<xmlDocument> parse(const std::string& text)
{
    auto doc = std::make_unique<xmlDocument>();
    doc->LoadFromBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size(), "test.xml");
    return doc;
}

std::string error_of(const std::string& text)
{
    try {
        parse(text);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no error)";
}

std::string as_text(xmlDocument& doc)
{
    std::vector<uint8_t> bytes = doc.SaveToBytes(1);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(XmlReader, TolerantTextGrammar)
{
    auto doc = parse("<a  b=\"1\" >x</a>");
    xmlNode* a = doc->Root();
    EXPECT_EQ(a->Name, "a");
    ASSERT_EQ(a->AttributeList.size(), 1u);
    EXPECT_EQ(a->Attribute("b", 1)->Value, "1");
    EXPECT_EQ(a->Value, "x");

    // Runs are joined: a line break becomes a space, '=' and '/' close up the text around them.
    EXPECT_EQ(parse("<v>1 = 2</v>")->Root()->Value, "1 =2");
    EXPECT_EQ(parse("<v>a\r\nb</v>")->Root()->Value, "a b");
    EXPECT_EQ(parse("<v>\r\n  a\r\n  b\r\n</v>")->Root()->Value, "a b");
    EXPECT_EQ(parse("<v>x/y</v>")->Root()->Value, "x/y");
    EXPECT_EQ(parse("<v>a<c/>b</v>")->Root()->Value, "a b");

    // Entities: numeric codes, the five names when spelled exactly, anything else literal.
    EXPECT_EQ(parse("<v>&#65;&#66;</v>")->Root()->Value, "AB");
    EXPECT_EQ(parse("<v>&amp</v>")->Root()->Value, "&amp");
    EXPECT_EQ(parse("<v>&lt;&gt;&quot;&apos;&amp;&x</v>")->Root()->Value, "<>\"'&&x");
    // Only double quotes delimit values; apostrophes and '>' inside are plain characters.
    EXPECT_EQ(parse("<v a=\"it's > 2\"/>")->Root()->Attribute("a", 1)->Value, "it's > 2");
    // Names end only at a space, '>' or '/': a tab does not end one.
    EXPECT_EQ(parse("<v\ta=\"1\"/>")->Root()->Name, "v\ta=\"1\"");

    // Declarations and comments are skipped; a second top-level element lands in the root.
    auto two = parse("<?xml version=\"1.0\"?>\r\n<-- note -->\r\n<a x=\"1\"><b/></a><c y=\"2\"><d/></c>");
    xmlNode* root = two->Root();
    EXPECT_EQ(root->Name, "c");
    EXPECT_EQ(root->AttributeList.size(), 2u);
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->GetChild(1)->Name, "b");
    EXPECT_EQ(root->GetChild(2)->Name, "d");
    EXPECT_EQ(root->GetChild(2)->Level, 1);
    EXPECT_EQ(two->NodeCount(), 3);
}

TEST(XmlReader, ErrorsCarryTheirExactMessages)
{
    EXPECT_EQ(error_of("<a b>"), "XML Parse Error: Expecting equals (=) after attribute name.");
    EXPECT_EQ(error_of("<a b=c>"), "XML Parse Error: Expecting attribute value.");
    EXPECT_EQ(error_of("<a b=\"1\"=>"), "XML Parse Error: Unclosed tag (expecting \"/>\" or \">\")");
    EXPECT_EQ(error_of("<a>></a>"), "XML Parse Error: Misplaced tag end (expecting tag or tag data).");
    EXPECT_EQ(error_of("/>"), "XML Parse Error: Misplaced tag end (expecting tag or tag data).");
    EXPECT_EQ(error_of("</a>"), "XML Parse Error: Misplaced closing tag (no tag has been opened)");
    EXPECT_EQ(error_of("<A></a>"), "XML Parse Error: Closing tag does not match opening tag.");
    EXPECT_EQ(error_of("<a></a x>"), "XML Parse Error: Unclosed tag (expecting \">\")");
    EXPECT_EQ(error_of("hello"), "XML Parse Error: Misplaced text (possibly not an xml file)");
    EXPECT_EQ(error_of("<a><b></b>"), "XML Parse Error: Unclosed node tag (reached end of file)");

    // Scans that reach the end of the data stop there and report what is unfinished.
    EXPECT_EQ(error_of("<a>&#12"), "XML Parse Error: Unclosed node tag (reached end of file)");
    EXPECT_EQ(error_of("<a b=\"unterminated"), "XML Parse Error: Unclosed tag (expecting \"/>\" or \">\")");
    EXPECT_EQ(error_of("<a><- comment"), "XML Parse Error: Unclosed node tag (reached end of file)");
    EXPECT_EQ(error_of("<a></a"), "XML Parse Error: Unclosed tag (expecting \">\")");
    EXPECT_EQ(error_of("<"), "XML Parse Error: Unclosed tag (expecting \"/>\" or \">\")");
    EXPECT_EQ(error_of("<a b=\"&#"), "XML Parse Error: Unclosed tag (expecting \"/>\" or \">\")");

    // Nesting is capped so a hostile file cannot exhaust the stack.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<n>";
    EXPECT_EQ(error_of(deep), "XML Parse Error: Tags nested too deeply (more than 256 levels).");
    std::string ok_depth;
    for (int i = 0; i <= kXmlMaxDepth; ++i)
        ok_depth += "<n>";
    for (int i = 0; i <= kXmlMaxDepth; ++i)
        ok_depth += "</n>";
    EXPECT_EQ(parse(ok_depth)->NodeCount(), kXmlMaxDepth + 1);

    // Empty input is an empty document.
    EXPECT_EQ(parse("")->NodeCount(), 1);
}

TEST(XmlWriter, TextLayoutAndEscaping)
{
    xmlDocument doc;
    xmlNode* root = doc.Root();
    root->Name = "levels";
    root->Value = "top";
    xmlNode* a = root->AddNode("level_1", AS_CHILD);
    a->Attribute("name", 1)->Value = "a\"b&c'<d>";
    a->Value = std::string("x\x01y\xe9z~");
    xmlNode* b = root->AddNode("empty", AS_CHILD);
    b->AddNode("leaf", AS_CHILD);
    EXPECT_EQ(as_text(doc), "<?xml version=\"1.0\"?>\r\n"
                            "<levels>\r\n"
                            "  top\r\n"
                            "  <level_1 name=\"a&quot;b&amp;c&apos;&lt;d&gt;\">x&#1;y&#233;z~</level_1>\r\n"
                            "  <empty>\r\n"
                            "    <leaf/>\r\n"
                            "  </empty>\r\n"
                            "</levels>\r\n");

    xmlDocument empty;
    EXPECT_EQ(as_text(empty), "<?xml version=\"1.0\"?>\r\n");
}

TEST(XmlDocument, RoundTripTextBinaryTextKeepsTheTree)
{
    std::string source = "<?xml version=\"1.0\"?>\r\n"
                         "<weapons kind=\"all\" note=\"&#200;&amp;\">\r\n"
                         "  intro text\r\n"
                         "  <slot n=\"1\" w_type=\"lazer_l\">1</slot>\r\n"
                         "  <slot n=\"2\">\r\n"
                         "    <inner a=\"\" b=\"x y\"/>\r\n"
                         "  </slot>\r\n"
                         "</weapons>\r\n";
    auto text_doc = parse(source);
    std::vector<uint8_t> binary = text_doc->SaveToBytes(2);
    ASSERT_GE(binary.size(), 3u);
    EXPECT_EQ(binary[0], 216);
    EXPECT_EQ(binary[1], 241);
    EXPECT_EQ(binary[2], 188);

    xmlDocument from_binary;
    from_binary.LoadFromBytes(binary.data(), binary.size(), "b.dat");
    EXPECT_EQ(from_binary.NodeCount(), 4);
    EXPECT_EQ(from_binary.Root()->Attribute("note", 1)->Value, "\xc8&");
    EXPECT_EQ(from_binary.Root()->FindChild("inner", 1, 1)->Level, 2);
    EXPECT_EQ(as_text(from_binary), source);
    EXPECT_EQ(from_binary.SaveToBytes(2), binary);
}

TEST(XmlDocument, FilesLoadByTheirSignatureAndReportIoFailures)
{
    TempDir dir;
    auto doc = parse("<a x=\"1\"><b>2</b></a>");
    doc->Save(".\\tree.txt", 2); // binary form whatever the name says
    doc->Save(".\\tree.bin", 1);

    auto loaded = xmlDocument::Create(".\\tree.txt");
    EXPECT_EQ(loaded->Root()->FindChild("b", 0, 1)->Value, "2");
    loaded->Load(".\\tree.bin");
    EXPECT_EQ(loaded->Root()->Attribute("x", 1)->Value, "1");
    EXPECT_EQ(loaded->NodeCount(), 2);

    try {
        loaded->Load(".\\levels\\missing.xml");
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(), "xmlDocument.Load(\".\\levels\\missing.xml\"): Cannot read from file.");
    }
    try {
        loaded->Save(".\\no_such_folder\\x.xml", 1);
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(), "xmlDocument.Save(\".\\no_such_folder\\x.xml\"): Cannot write to file.");
    }
    std::string text = "<a/>";
    try {
        loaded->LoadBinaryBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size(), "a.xml");
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(),
                     "xmlDocument.Load(\"a.xml\"): Tried to load a non-binary file as a binary file.");
    }
}

TEST(XmlDocument, HostileBinaryIsRejectedWithoutHugeAllocations)
{
    auto load = [](const std::string& bytes) {
        xmlDocument doc;
        doc.LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "h.bin");
        return doc.NodeCount();
    };
    auto le = [](int32_t v) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i)
            s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff);
        return s;
    };
    const std::string sig = "\xd8\xf1\xbc";
    const std::string empty_node = le(0) + le(0) + le(0) + le(0);

    EXPECT_EQ(load(sig + empty_node), 1);
    EXPECT_THROW(load(sig + le(0x7fffffff)), StreamError); // name longer than the file
    EXPECT_THROW(load(sig + le(0) + le(0) + le(0x7fffffff) + le(0)), StreamError); // attribute count
    EXPECT_THROW(load(sig + le(0) + le(0) + le(0) + le(0x7fffffff)), StreamError); // child count
    EXPECT_THROW(load(sig + le(1) + "a"), StreamError);                            // truncated
    EXPECT_THROW(load(sig), StreamError);
    // Negative lengths and counts read as empty.
    EXPECT_EQ(load(sig + le(-5) + le(-1) + le(-3) + le(-7)), 1);

    std::string deep = sig;
    for (int i = 0; i < 1000; ++i)
        deep += le(0) + le(0) + le(0) + le(1);
    deep += empty_node;
    try {
        load(deep);
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(),
                     "xmlDocument.Load(\"h.bin\"): Nodes nested too deeply (more than 256 levels).");
    }
}

TEST(XmlNode, LookupsAndEditing)
{
    auto doc = parse("<r>"
                     "<level_1><speed>1</speed><spider2><speed>2</speed><deep>d</deep></spider2></level_1>"
                     "<level_2><deep>e</deep></level_2>"
                     "<Deep>top</Deep>"
                     "</r>");
    xmlNode* r = doc->Root();
    // The first level is searched whole before any child is descended into.
    EXPECT_EQ(r->FindChild("deep", 1, 0)->Value, "top");
    EXPECT_EQ(r->FindChild("deep", 1, 1)->Value, "d");
    EXPECT_EQ(r->FindChild("deep", 0, 1), nullptr);
    xmlNode* level1 = r->FindChild("level_1", 0, 1);
    EXPECT_EQ(level1->FindChild("speed", 1, 1)->Value, "1");
    EXPECT_EQ(level1->FindChild("spider2", 1, 1)->FindChild("speed", 1, 1)->Value, "2");
    EXPECT_EQ(r->FindChild("nothing", 1, 1), nullptr);

    EXPECT_EQ(r->GetChild(3)->Name, "Deep");
    EXPECT_EQ(r->GetChild(4), nullptr);
    EXPECT_EQ(r->GetChild(3)->NextSibling(), nullptr);
    EXPECT_EQ(r->GetChild(1)->NextSibling()->Name, "level_2");
    try {
        r->GetChild(0);
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(), "xmlNode.SetIndex(0): Index may not be less than 1.");
    }

    // FindChildEx looks the attribute up through Attribute, which adds it where missing.
    auto items = parse("<r><item id=\"A\"/><item/><item id=\"b\"/></r>");
    xmlNode* ir = items->Root();
    EXPECT_EQ(ir->FindChildEx("ITEM", "id", "B", 0, 0), ir->GetChild(3));
    EXPECT_EQ(ir->GetChild(2)->AttributeList.size(), 1u);
    EXPECT_EQ(ir->FindChildEx("item", "id", "B", 0, 1), nullptr);
    xmlAttribute* added = ir->GetChild(1)->Attribute("missing", 1);
    EXPECT_EQ(added->Value, "");
    EXPECT_EQ(added->Node, ir->GetChild(1));
    EXPECT_EQ(ir->GetChild(1)->AttributeList.size(), 2u);
    ir->GetChild(1)->CleanAttributes();
    EXPECT_EQ(ir->GetChild(1)->AttributeList.size(), 1u);
    ir->GetChild(1)->Attribute("id", 1)->Free();
    EXPECT_TRUE(ir->GetChild(1)->AttributeList.empty());

    // Siblings go right after their node; the root has none.
    xmlNode* first = ir->GetChild(1);
    xmlNode* inserted = first->AddNode("between", AS_SIBLING);
    EXPECT_EQ(ir->GetChild(2), inserted);
    EXPECT_EQ(inserted->Level, 1);
    EXPECT_EQ(inserted->AddNode("below", AS_CHILD)->Level, 2);
    try {
        ir->AddNode("x", AS_SIBLING);
        FAIL();
    } catch (const XmlError& e) {
        EXPECT_STREQ(e.what(), "xmlNode.AddNode(\"x\", AS_SIBLING): The root node may not have siblings.");
    }
    EXPECT_EQ(items->NodeCount(), 6);
    inserted->Free();
    EXPECT_EQ(items->NodeCount(), 4);
    items->Clear();
    EXPECT_EQ(items->Root()->Name, "root");
    EXPECT_EQ(items->NodeCount(), 1);
}
