#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "support/temp_dir.h"

namespace
{

struct ToolRun {
    int code;
    std::string out;
};

// Runs the built xmltool with the arguments; stdout and stderr are collected together.
ToolRun xmltool(const std::string& args)
{
    std::string cmd = std::string(WINGTRON_GAME_DIR) + "/xmltool " + args + " 2>&1";
    ToolRun r{-1, ""};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

TEST(Xmltool, DumpsConvertsAndReportsLoadErrors)
{
    TempDir dir;
    dir.write("a.xml", "<?xml version=\"1.0\"?>\r\n<levels v=\"a&amp;b\">\r\n  <level_1 n=\"1\">x\r\n  "
                       "\"q\" w \"y\"&#233;</level_1>\r\n  <empty/>\r\n</levels>\r\n");
    const std::string expected = "levels v=\"a&b\"\n"
                                 "  level_1 n=\"1\" = \"x w \\\"y\\\"\\u00e9\"\n"
                                 "  empty\n";
    ToolRun dump = xmltool("dump " + dir.path() + "/a.xml");
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.out, expected);

    EXPECT_EQ(xmltool("to-binary " + dir.path() + "/a.xml " + dir.path() + "/a.bin").code, 0);
    ToolRun from_binary = xmltool("dump " + dir.path() + "/a.bin");
    EXPECT_EQ(from_binary.out, expected);
    EXPECT_EQ(xmltool("to-text " + dir.path() + "/a.bin " + dir.path() + "/b.xml").code, 0);
    EXPECT_EQ(xmltool("dump " + dir.path() + "/b.xml").out, expected);

    dir.write("bad.xml", "<A></a>");
    ToolRun bad = xmltool("dump " + dir.path() + "/bad.xml");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "XML Parse Error: Closing tag does not match opening tag.\n");
    ToolRun missing = xmltool("dump " + dir.path() + "/none.xml");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "xmlDocument.Load(\"" + dir.path() + "/none.xml\"): Cannot read from file.\n");
    EXPECT_EQ(xmltool("frobnicate").code, 2);
}
