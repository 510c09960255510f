#include <gtest/gtest.h>

#include <afx.h>
#include <afxtempl.h>

#include "afx_expect.h"

#include <vector>

TEST(GeometryTest, RectRules) {
  CRect r(10, 20, 30, 60);
  EXPECT_TRUE(r.Width() == 20 && r.Height() == 40 && r.CenterPoint() == CPoint(20, 40));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(30, 20)) || r.PtInRect(CPoint(10, 60)));  // right and bottom edges are outside
  EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty() && CRect(5, 5, 4, 9).IsRectEmpty());

  CRect i;
  EXPECT_TRUE(i.IntersectRect(r, CRect(25, 0, 100, 30)));
  EXPECT_EQ(i, CRect(25, 20, 30, 30));
  EXPECT_FALSE(i.IntersectRect(r, CRect(30, 20, 40, 60)));  // touching only
  EXPECT_TRUE(i.IsRectNull());

  CRect u;
  EXPECT_TRUE(u.UnionRect(r, CRect(0, 0, 0, 0)));
  EXPECT_EQ(u, r);
  EXPECT_TRUE(u.UnionRect(r, CRect(0, 0, 1, 1)));
  EXPECT_EQ(u, CRect(0, 0, 30, 60));

  CRect n(30, 60, 10, 20);
  n.NormalizeRect();
  EXPECT_EQ(n, r);
  n.DeflateRect(1, 2);
  EXPECT_EQ(n, CRect(11, 22, 29, 58));
  n.OffsetRect(-11, -22);
  EXPECT_EQ(n.TopLeft(), CPoint(0, 0));
}

TEST(ListTest, OrderInsertRemove) {
  CList<int, int> l;
  EXPECT_TRUE(l.IsEmpty());
  l.AddTail(2);
  l.AddTail(3);
  l.AddHead(1);
  POSITION p3 = l.Find(3);
  ASSERT_NE(p3, nullptr);
  l.InsertBefore(p3, 25);
  l.InsertAfter(p3, 4);
  std::vector<int> seen;
  for (POSITION pos = l.GetHeadPosition(); pos != nullptr;) seen.push_back(l.GetNext(pos));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 25, 3, 4}));
  seen.clear();
  for (POSITION pos = l.GetTailPosition(); pos != nullptr;) seen.push_back(l.GetPrev(pos));
  EXPECT_EQ(seen, (std::vector<int>{4, 3, 25, 2, 1}));
  EXPECT_EQ(l.GetAt(l.FindIndex(2)), 25);
  EXPECT_EQ(l.FindIndex(5), nullptr);
  l.RemoveAt(l.Find(25));
  EXPECT_EQ((std::vector<int>{l.RemoveHead(), l.RemoveTail(), int(l.GetCount()), l.GetHead(), l.GetTail()}),
            (std::vector<int>{1, 4, 2, 2, 3}));
  l.RemoveAll();
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_AFX_THROW(l.RemoveHead(), CInvalidArgException);
}

class CShape : public CObject {
  DECLARE_DYNCREATE(CShape)
};
IMPLEMENT_DYNCREATE(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNAMIC(CCircle)
};
IMPLEMENT_DYNAMIC(CCircle, CShape)

TEST(RuntimeClassTest, KindOfAndCreate) {
  CCircle c;
  EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CCircle)) && c.IsKindOf(RUNTIME_CLASS(CShape)) &&
              c.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(c.IsKindOf(RUNTIME_CLASS(CFile)));
  EXPECT_STREQ(c.GetRuntimeClass()->m_lpszClassName, "CCircle");
  CObject* made = RUNTIME_CLASS(CShape)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CCircle)));
  delete made;
  EXPECT_EQ(RUNTIME_CLASS(CCircle)->CreateObject(), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(&c)), &c);
}
