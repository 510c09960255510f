// The pie chart's model: its slices and the list that keeps them adding up
// to 100 %. The list's tail is the remainder slice, which takes whatever the
// other slices leave free; every other slice goes in just before it, so the
// list reads the slices in the order they were added, then the remainder.
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include <vector>

#include "qor032api.h"

class QOR032_API CPieSlice {
 public:
  CPieSlice();
  CPieSlice(double dValue, COLORREF crFill, COLORREF crLabel, const CString& strLabel);

  // Sets m_dValue and the percentage text that goes with it ("40%").
  void SetValue(double dValue);
  static CString PercentText(double dValue);

  double m_dValue;      // in percent
  COLORREF m_crFill;    // the slice and its legend box
  COLORREF m_crLabel;   // its percentage label
  CString m_strLabel;   // legend text
  CString m_strPercent; // shown in the pie
};

class QOR032_API CPieSlicesList : public CList<CPieSlice*, CPieSlice*> {
 public:
  // The band around 100 within which the slices count as a whole: the
  // remainder is then 0.
  static constexpr double kWholeLow = 99.9;
  static constexpr double kWholeHigh = 100.1;
  static constexpr INT_PTR kBlockSize = 10;

  CPieSlicesList();
  // Deletes every slice.
  ~CPieSlicesList();

  // Takes pSlice: appended to an empty list (it becomes the remainder),
  // otherwise inserted before the tail; then the remainder is recomputed.
  void AddSlice(CPieSlice* pSlice);
  // The checks of CPieCtrl::AddSlice, then a new slice added: false, and
  // nothing changes, for a value that is not above 0, not finite, or that
  // would take the slices other than the remainder above kWholeHigh.
  bool AddValue(double dValue, COLORREF crFill, COLORREF crLabel, const CString& strLabel);
  // The tail becomes 100 - S (0 when S is within the whole band), S being
  // the sum of every other slice.
  void RecalcRemainder();
  // The sum of every slice but the tail (0 for an empty list).
  double GetUserSum() const;

  // Removes and deletes every slice but the tail, which becomes 100 %.
  void RemoveAllButRemainder();
  // Removes and deletes every slice. Hides the base's RemoveAll, which would
  // drop the slices without deleting them.
  void RemoveAll();

  // The slices that are drawn (value above 0), in drawing order, i.e. list
  // order; the remainder, if drawn, is last.
  struct DrawnSlice {
    const CPieSlice* pSlice;
    bool bRemainder;
  };
  std::vector<DrawnSlice> GetDrawnSlices() const;
};

namespace qor {
namespace pie {

// The geometry of a drawn pie, in the floats GDI+ draws with.
struct PointF {
  float x;
  float y;
};
struct SizeF {
  float width;
  float height;
};
struct RectF {
  float x;
  float y;
  float width;
  float height;
};

}  // namespace pie
}  // namespace qor
