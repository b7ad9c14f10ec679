#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

TEST(Streams, ReadLineDropsCarriageReturnsAndKeepsLastLine)
{
    TempDir dir;
    dir.write("a.txt", std::string("one\r\ntwo\nthree\0four", 19));
    TStream* s = ReadStream(".\\a.txt");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ReadLine(s), "one");
    EXPECT_EQ(ReadLine(s), "two");
    EXPECT_EQ(ReadLine(s), "three");  // a zero byte ends a line too
    EXPECT_EQ(ReadLine(s), "four");   // last line without a break
    EXPECT_EQ(Eof(s), 1);
    CloseStream(s);
}

TEST(Streams, TypedReadsPastTheEndRaiseTheReadError)
{
    TempDir dir;
    dir.write("b.dat", std::string("\x01\x02\x03", 3));
    TStream* s = ReadStream("b.dat");
    ASSERT_NE(s, nullptr);
    EXPECT_THROW(ReadInt(s), StreamError);
    EXPECT_EQ(ReadByte(s), 1);  // the failed read consumed nothing
    EXPECT_THROW(ReadString(s, 5), StreamError);
    EXPECT_THROW(ReadString(s, 0x7fffffff), StreamError);
    CloseStream(s);
}

TEST(Streams, WritesRoundTripLittleEndian)
{
    TempDir dir;
    TStream* w = WriteStream(".\\c.dat");
    ASSERT_NE(w, nullptr);
    WriteInt(w, -2);
    WriteLong(w, 0x0102030405060708LL);
    WriteFloat(w, 1.5f);
    WriteDouble(w, -0.25);
    WriteByte(w, 0x1ff);  // only the low byte is stored
    WriteLine(w, "hi");
    CloseStream(w);
    EXPECT_EQ(FileSize("c.dat"), 4 + 8 + 4 + 8 + 1 + 4);

    TStream* r = ReadStream("c.dat");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(ReadInt(r), -2);
    EXPECT_EQ(ReadLong(r), 0x0102030405060708LL);
    EXPECT_EQ(ReadFloat(r), 1.5f);
    EXPECT_EQ(ReadDouble(r), -0.25);
    EXPECT_EQ(ReadByte(r), 0xff);
    EXPECT_EQ(ReadString(r, 4), "hi\r\n");
    CloseStream(r);
}

TEST(Files, PathsMapBackslashesAndFindCaseInsensitively)
{
    TempDir dir;
    dir.write("levels/Spiders.xml", "<a/>");
    dir.write("profiles/config.dat", "x");
    EXPECT_EQ(FileType(".\\Levels\\Spiders.xml"), 1);  // folder is "levels" on disk
    EXPECT_EQ(FileType(".\\levels\\spiders.XML"), 1);
    EXPECT_EQ(FileType(".\\levels"), 2);
    EXPECT_EQ(FileType(".\\levels\\<x>"), 0);
    EXPECT_EQ(FileType(".\\profiles\\config.dat"), 1);
    EXPECT_EQ(FileSize(".\\nothing"), 0);
    EXPECT_EQ(ReadStream(".\\nothing"), nullptr);
    EXPECT_EQ(DeleteFile(".\\profiles\\config.dat"), 1);
    EXPECT_EQ(FileType(".\\profiles\\config.dat"), 0);
    EXPECT_EQ(DeleteFile(".\\profiles\\config.dat"), 1);
}
