#include "platform/strings.h"

#include <gtest/gtest.h>

TEST(CString, ConstructionStopsAtFirstNul)
{
    const char bytes[] = {'a', 'b', '\0', 'c', 'd'};
    EXPECT_EQ(CString(bytes, 5).GetLength(), 2);
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)).GetLength(), 0);
    EXPECT_EQ(CString(std::string("x\0y", 3)), "x");
}

TEST(CString, ConcatenationWithStringsAndChars)
{
    CString s = "mid";
    s = 'a' + s;           // prepend a single char
    s += 'z';
    s += CString("!");
    s = s + "?" + '.';
    EXPECT_EQ(s, "amidz!?.");
    s += '\0';             // a NUL char appends nothing
    EXPECT_EQ(s.GetLength(), 8);
    CString e;
    EXPECT_TRUE(e.IsEmpty());
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, ComparisonIsBytewise)
{
    CString guest = "(гость)";
    EXPECT_TRUE(guest == "(гость)");
    EXPECT_FALSE(guest != "(гость)");
    EXPECT_TRUE(guest != "(guest)");
    // Compiled as Windows-1251: seven bytes, one per letter.
    EXPECT_EQ(guest.GetLength(), 7);
    EXPECT_EQ(static_cast<unsigned char>(guest[1]), 0xE3);  // г
}

TEST(CString, IndexingFindAndSlices)
{
    CString s = "name+password";
    EXPECT_EQ(s.GetAt(0), 'n');
    EXPECT_EQ(s[100], '\0');
    EXPECT_EQ(s[-1], '\0');
    EXPECT_EQ(s.Find('+'), 4);
    EXPECT_EQ(s.Find('#'), -1);
    EXPECT_EQ(s.Find("pass"), 5);
    EXPECT_EQ(s.Left(s.Find('+')), "name");
    EXPECT_EQ(s.Mid(5), "password");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Left(-3), "");
    EXPECT_EQ(s.Right(4), "word");
    EXPECT_EQ(s.Mid(1, 3), "ame");
}

TEST(CString, FormatAndReplace)
{
    CString s;
    s.Format("%u", 4294967295u);
    EXPECT_EQ(s, "4294967295");
    signed char c = static_cast<signed char>(0xC0);
    s.Format("%i", c);
    EXPECT_EQ(s, "-64");
    s.Format("0%i", 7);
    EXPECT_EQ(s, "07");
    CString t = "a b  c";
    EXPECT_EQ(t.Replace(" ", "   "), 3);
    EXPECT_EQ(t, "a   b      c");
}

TEST(Encoding, RoundTripOfTheWholeCyrillicAlphabet)
{
    std::string all;
    for (int b = 0xC0; b <= 0xFF; ++b) all += static_cast<char>(b);
    all += static_cast<char>(0xA8);  // Ё
    all += static_cast<char>(0xB8);  // ё
    std::string utf8 = Cp1251ToUtf8(all);
    EXPECT_EQ(utf8.size(), all.size() * 2);
    EXPECT_EQ(utf8.substr(0, 2), "\xD0\x90");  // А is U+0410
    EXPECT_EQ(Utf8ToCp1251(utf8), all);
    // Bytes of the upper half outside the alphabet: Ё U+0401, ё U+0451, Ђ U+0402, € U+20AC, № U+2116.
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\x80\x88\xB9"), "\xD0\x81\xD1\x91\xD0\x82\xE2\x82\xAC\xE2\x84\x96");
    EXPECT_EQ(Cp1251ToUtf8("Velmonar"), "Velmonar");
}

TEST(Encoding, UnmappableAndBrokenInputBecomesQuestionMark)
{
    EXPECT_EQ(Utf8ToCp1251("\xE4\xB8\xAD"), "?");  // a CJK character
    EXPECT_EQ(Utf8ToCp1251("a\xD0"), "a?");        // cut-off sequence
    EXPECT_EQ(Utf8ToCp1251("\x80z"), "?z");        // stray continuation byte
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");          // the one unassigned byte
}
