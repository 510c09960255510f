// TextArray: order, bounds, lookups and the three sort kinds.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TextArray.h"

namespace {

TextArray Make(const std::vector<const char*>& items) {
  TextArray a;
  for (const char* p : items) a.Add(p);
  return a;
}

std::vector<std::string> Items(const TextArray& a) {
  std::vector<std::string> v;
  for (int i = 0; i < a.GetSize(); ++i) v.push_back(a.GetAt(i).GetString());
  return v;
}

void ExpectSubscriptError(const std::function<void()>& f) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
  }
}

}  // namespace

TEST(TextArray, AddKeepsOrder) {
  TextArray a;
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetSize(), 0);
  EXPECT_EQ(a.Add("one"), 0);
  EXPECT_EQ(a.Add("two"), 1);
  EXPECT_EQ(a.Add(""), 2);
  EXPECT_FALSE(a.IsEmpty());
  EXPECT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a.GetAt(0), "one");
  EXPECT_EQ(a[1], "two");
  EXPECT_EQ(a[2], "");
  a[2] = "three";
  EXPECT_EQ(a.GetAt(2), "three");
  a.SetAt(0, "zero");
  EXPECT_EQ(Items(a), (std::vector<std::string>{"zero", "two", "three"}));
}

TEST(TextArray, AddArrayAppendsInOrder) {
  TextArray a = Make({"a", "b"});
  const TextArray b = Make({"c", "d"});
  a.Add(b);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(Items(b), (std::vector<std::string>{"c", "d"}));
  a.Add(TextArray());
  EXPECT_EQ(a.GetSize(), 4);
}

TEST(TextArray, AddToItselfDoubles) {
  TextArray a = Make({"x", "y", "z"});
  a.Add(a);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"x", "y", "z", "x", "y", "z"}));
}

TEST(TextArray, OutOfRangeThrowsTheContainerError) {
  TextArray a = Make({"a", "b"});
  const TextArray& c = a;
  ExpectSubscriptError([&] { (void)a.GetAt(2); });
  ExpectSubscriptError([&] { (void)a.GetAt(-1); });
  ExpectSubscriptError([&] { (void)a[2]; });
  ExpectSubscriptError([&] { (void)c[-1]; });
  ExpectSubscriptError([&] { a.SetAt(5, "q"); });
  ExpectSubscriptError([&] { a.RemoveAt(2); });
  ExpectSubscriptError([&] { (void)TextArray().GetAt(0); });
  EXPECT_EQ(Items(a), (std::vector<std::string>{"a", "b"}));
}

TEST(TextArray, RemoveAtAndRemoveAll) {
  TextArray a = Make({"a", "b", "c"});
  a.RemoveAt(1);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"a", "c"}));
  a.RemoveAll();
  EXPECT_TRUE(a.IsEmpty());
  EXPECT_EQ(a.GetSize(), 0);
  a.Add("again");
  EXPECT_EQ(a.GetSize(), 1);
}

TEST(TextArray, CopyIsIndependent) {
  TextArray a = Make({"a"});
  TextArray b(a);
  b.Add("b");
  EXPECT_EQ(a.GetSize(), 1);
  TextArray c;
  c = b;
  c.RemoveAll();
  EXPECT_EQ(b.GetSize(), 2);
}

TEST(TextArray, HaveFoldsAsciiCaseOnlyWhenAsked) {
  const TextArray a = Make({"bmp", "PNG", "Jpeg", "\xC9t\xE9"});
  EXPECT_TRUE(a.Have("png", false));
  EXPECT_TRUE(a.Have("JPEG", false));
  EXPECT_TRUE(a.Have("BMP", false));
  EXPECT_FALSE(a.Have("png", true));
  EXPECT_TRUE(a.Have("PNG", true));
  EXPECT_FALSE(a.Have("pn", false));
  EXPECT_FALSE(a.Have("pngx", false));
  EXPECT_FALSE(a.Have("", false));
  // Bytes outside ASCII compare exactly.
  EXPECT_TRUE(a.Have("\xC9T\xE9", false));
  EXPECT_FALSE(a.Have("\xE9t\xE9", false));
  EXPECT_EQ(a.Find("jpeg", false), 2);
  EXPECT_EQ(a.Find("jpeg", true), -1);
  EXPECT_FALSE(TextArray().Have("a", false));
}

TEST(TextArray, SortPlainTextOfImageExtensions) {
  TextArray a = Make({"bmp", "jpg", "jpeg", "tif", "tiff", "gif", "png", "exif", "wmf", "emf"});
  a.Sort(true, true, TextArray::PlainText);
  EXPECT_EQ(Items(a),
            (std::vector<std::string>{"bmp", "emf", "exif", "gif", "jpeg", "jpg", "png", "tif", "tiff", "wmf"}));
  a.Sort(false, true, TextArray::PlainText);
  EXPECT_EQ(Items(a),
            (std::vector<std::string>{"wmf", "tiff", "tif", "png", "jpg", "jpeg", "gif", "exif", "emf", "bmp"}));
}

TEST(TextArray, SortCaseRuleAndStability) {
  TextArray a = Make({"b", "A", "a", "B"});
  a.Sort(true, true, TextArray::PlainText);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"A", "a", "b", "B"}));  // equal keys keep their order

  TextArray b = Make({"b", "A", "a", "B"});
  b.Sort(true, false, TextArray::PlainText);
  EXPECT_EQ(Items(b), (std::vector<std::string>{"A", "B", "a", "b"}));

  TextArray c = Make({"a", "B", "A", "b"});
  c.Sort(false, true, TextArray::PlainText);
  EXPECT_EQ(Items(c), (std::vector<std::string>{"B", "b", "a", "A"}));  // stable when descending too
}

TEST(TextArray, SortPlainTextComparesBytesUnsigned) {
  TextArray a = Make({"\xE9", "z", "", "Z"});
  a.Sort(true, false, TextArray::PlainText);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"", "Z", "z", "\xE9"}));
}

TEST(TextArray, SortNumbersByValue) {
  TextArray a = Make({"10", "9", "-2.5", "abc", " 3 ", "1e2", "+4", "", "0.5", "Abd", "nan"});
  a.Sort(true, true, TextArray::Number);
  EXPECT_EQ(Items(a),
            (std::vector<std::string>{"-2.5", "0.5", " 3 ", "+4", "9", "10", "1e2", "", "abc", "Abd", "nan"}));
  a.Sort(false, true, TextArray::Number);
  EXPECT_EQ(Items(a),
            (std::vector<std::string>{"nan", "Abd", "abc", "", "1e2", "10", "9", "+4", " 3 ", "0.5", "-2.5"}));
}

TEST(TextArray, SortNaturalText) {
  TextArray a = Make({"file10", "file2", "File1", "file02", "file", "file1a", "a100", "a20"});
  a.Sort(true, true, TextArray::NaturalText);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"a20", "a100", "file", "File1", "file1a", "file2", "file02", "file10"}));
}

TEST(TextArray, SortNaturalTextLongDigitRuns) {
  // Runs longer than any integer type still compare by value.
  TextArray a = Make({"x123456789012345678901234567890", "x99999999999999999999999999999", "x0000000000000000000000000000001"});
  a.Sort(true, false, TextArray::NaturalText);
  EXPECT_EQ(Items(a), (std::vector<std::string>{"x0000000000000000000000000000001", "x99999999999999999999999999999",
                                                "x123456789012345678901234567890"}));
}
