// TextArray: order, bounds, lookups and the three sort kinds.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TextArray.h"

namespace {

using Items = std::vector<std::string>;

Items Of(const TextArray& a) {
  Items v;
  for (int i = 0; i < a.GetSize(); ++i) v.push_back(a.GetAt(i).GetString());
  return v;
}

Items Sorted(const Items& items, bool bAscending, bool bCaseInsensitive, TextArray::Content eContent) {
  TextArray a;
  for (const std::string& s : items) a.Add(CString(s));
  a.Sort(bAscending, bCaseInsensitive, eContent);
  return Of(a);
}

}  // namespace

TEST(TextArray, AddSetRemoveCopyAndBounds) {
  TextArray a, b;
  EXPECT_EQ(a.Add("one"), 0);
  EXPECT_EQ(a.Add("two"), 1);
  a[1] = "three";
  a.SetAt(0, "zero");
  b.Add("c");
  TextArray copy(a);
  a.Add(b);
  EXPECT_EQ(Of(a), (Items{"zero", "three", "c"}));
  copy.Add(copy);  // itself: doubled, and independent of the original
  copy.RemoveAt(1);
  EXPECT_EQ(Of(copy), (Items{"zero", "zero", "three"}));
  const TextArray& c = a;
  for (const auto& f : std::vector<std::function<void()>>{[&] { (void)a.GetAt(3); }, [&] { (void)a[-1]; },
                                                          [&] { (void)c[3]; }, [&] { a.SetAt(5, "q"); },
                                                          [&] { a.RemoveAt(3); }, [&] { (void)TextArray()[0]; }}) {
    try {
      f();
      ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& e) {
      EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
  }
  EXPECT_EQ(a.GetCount(), 3);
}

TEST(TextArray, FindFoldsAsciiCaseOnlyWhenAsked) {
  TextArray a;
  for (const char* p : {"bmp", "PNG", "Jpeg", "\xC9t\xE9"}) a.Add(p);
  EXPECT_EQ(a.Find("jpeg", false), 2);
  EXPECT_EQ(a.Find("jpeg", true), -1);
  EXPECT_TRUE(a.Have("PNG", true));
  EXPECT_TRUE(a.Have("\xC9T\xE9", false));  // bytes outside ASCII compare exactly
  for (const char* p : {"pn", "pngx", "", "\xE9t\xE9"}) EXPECT_FALSE(a.Have(p, false)) << p;
}

TEST(TextArray, SortsOfEachKind) {
  // Byte order, a prefix first; stable in both directions.
  EXPECT_EQ(Sorted({"tiff", "b", "A", "tif", "a", "B"}, true, true, TextArray::PlainText),
            (Items{"A", "a", "b", "B", "tif", "tiff"}));
  EXPECT_EQ(Sorted({"a", "B", "A", "b"}, false, true, TextArray::PlainText), (Items{"B", "b", "a", "A"}));
  EXPECT_EQ(Sorted({"b", "A", "a", "B"}, true, false, TextArray::PlainText), (Items{"A", "B", "a", "b"}));
  EXPECT_EQ(Sorted({"\xE9", "z", "", "Z"}, true, false, TextArray::PlainText), (Items{"", "Z", "z", "\xE9"}));
  // Numbers by value, then the texts that are not finite numbers.
  EXPECT_EQ(Sorted({"10", "9", "-2.5", "abc", " 3 ", "1e2", "+4", "", "0.5", "Abd", "nan"}, true, true,
                   TextArray::Number),
            (Items{"-2.5", "0.5", " 3 ", "+4", "9", "10", "1e2", "", "abc", "Abd", "nan"}));
  EXPECT_EQ(Sorted({"file10", "file2", "File1", "file02", "file", "file1a", "a100", "a20"}, true, true,
                   TextArray::NaturalText),
            (Items{"a20", "a100", "file", "File1", "file1a", "file2", "file02", "file10"}));
  // Runs longer than any integer type still compare by value.
  const Items runs = {"x123456789012345678901234567890", "x99999999999999999999999999999",
                      "x0000000000000000000000000000001"};
  EXPECT_EQ(Sorted(runs, true, false, TextArray::NaturalText), (Items{runs[2], runs[1], runs[0]}));
}
