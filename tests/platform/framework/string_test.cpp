#include <gtest/gtest.h>

#include <afx.h>

#include "afx_expect.h"

TEST(CStringTest, ConstructionAndComparison) {
  EXPECT_TRUE(CString().IsEmpty());
  EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
  EXPECT_EQ(CString('x', 3), "xxx");
  EXPECT_EQ(CString("abcdef", 3), "abc");
  EXPECT_EQ(CString("abc").Compare("abd"), -1);
  EXPECT_EQ(CString("abd").Compare("abc"), 1);
  EXPECT_EQ(CString("Name").CompareNoCase("nAME"), 0);
  EXPECT_LT(CString("a").CompareNoCase("B"), 0);
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_TRUE(CString("A") != "a");
}

TEST(CStringTest, Extraction) {
  const CString s("Hello, world");
  EXPECT_EQ(s.Left(5), "Hello");
  EXPECT_EQ(s.Right(5), "world");
  EXPECT_EQ(s.Mid(7), "world");
  EXPECT_EQ(s.Mid(7, 2), "wo");
  // Out-of-range counts are clamped, never read past the string.
  EXPECT_EQ(s.Left(100), s);
  EXPECT_EQ(s.Right(-3), "");
  EXPECT_EQ(s.Mid(50), "");
  EXPECT_EQ(s.Mid(-2, 3), "Hel");
  EXPECT_EQ(s.Find('o'), 4);
  EXPECT_EQ(s.Find('o', 5), 8);
  EXPECT_EQ(s.Find("world"), 7);
  EXPECT_EQ(s.Find("xyz"), -1);
  EXPECT_EQ(s.Find('o', 99), -1);
  EXPECT_EQ(s.ReverseFind('o'), 8);
  EXPECT_EQ(s.FindOneOf(",w"), 5);
  EXPECT_AFX_THROW(s.GetAt(12), CInvalidArgException);
  EXPECT_AFX_THROW(s.GetAt(-1), CInvalidArgException);
}

TEST(CStringTest, Editing) {
  CString s("a.b.c");
  EXPECT_EQ(s.Replace('.', '/'), 2);
  EXPECT_EQ(s, "a/b/c");
  EXPECT_EQ(s.Replace("/", "--"), 2);
  EXPECT_EQ(s, "a--b--c");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Remove('-'), 4);
  EXPECT_EQ(s, "abc");
  s.MakeUpper();
  EXPECT_EQ(s, "ABC");
  s.MakeLower();
  EXPECT_EQ(s, "abc");
  s.Insert(1, "XY");
  EXPECT_EQ(s, "aXYbc");
  s.Delete(1, 2);
  EXPECT_EQ(s, "abc");
  CString t("  pad \t");
  EXPECT_EQ(t.Trim(), "pad");
  s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
  EXPECT_EQ(s, "42-x-003.1");
  s.AppendFormat("[%c]", 'z');
  EXPECT_EQ(s, "42-x-003.1[z]");
  CString self("abc");
  self = self.GetString();
  EXPECT_EQ(self, "abc");
}

TEST(CStringTest, Buffer) {
  CString s("abc");
  char* p = s.GetBuffer(10);
  p[3] = 'd';
  p[4] = '\0';
  s.ReleaseBuffer();
  EXPECT_EQ(s, "abcd");
  EXPECT_EQ(s.GetLength(), 4);
  p = s.GetBuffer(2);
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "ab");
  EXPECT_EQ(CString("x") + "y" + CString("z") + 'w', "xyzw");
}
