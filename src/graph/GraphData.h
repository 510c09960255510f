// The line graph's data: points and curves. A point is either dated (a
// DateTime and a value) or valued (a numeric x and a value); its kind is told
// only by its run-time type, and the dated drawing looks at dated points
// alone. A curve owns its points and keeps them in the order they were added:
// nothing is sorted, merged or checked for duplicates.
#pragma once

#include <vector>

#include <afx.h>

#include <DateTime.h>

#include "qor032api.h"

class QOR032_API GraphEntryY {
 public:
  GraphEntryY() = default;
  explicit GraphEntryY(double dY) : m_dY(dY) {}
  virtual ~GraphEntryY() = default;

  double m_dY = 0.0;  // the value plotted on the y axis
};

class QOR032_API GraphEntryXY : public GraphEntryY {
 public:
  GraphEntryXY() = default;
  GraphEntryXY(double dX, double dY) : GraphEntryY(dY), m_dX(dX) {}

  double m_dX = 0.0;
};

class QOR032_API GraphEntryDateY : public GraphEntryY {
 public:
  GraphEntryDateY() = default;  // the date is not valid
  GraphEntryDateY(const DateTime& dtDate, double dY) : GraphEntryY(dY), m_dtDate(dtDate) {}

  DateTime m_dtDate;
};

class QOR032_API CCurve {
 public:
  CCurve() = default;
  CCurve(const CCurve&) = delete;
  CCurve& operator=(const CCurve&) = delete;
  // Deletes every point.
  virtual ~CCurve();

  // Append a new dated or valued point.
  virtual void AddEntry(const DateTime& date, double value);
  virtual void AddEntry(double x, double y);

  // The last dated point, or null when the curve has none.
  const GraphEntryDateY* GetLastDatedEntry() const;

  bool m_bMarkPoints = true;  // a four-pixel marker at each plotted point
  COLORREF m_crColor = 0;     // line, markers and legend sample
  CString m_strLabel;         // the curve's text in the legend
  std::vector<GraphEntryY*> m_arrayEntries;  // owned, in insertion order
};

// The graph's curves in index order; a slot may be null (an allocation that
// failed), and every reader skips such a slot.
typedef std::vector<CCurve*> CurveArray;

namespace qor {
namespace graph {

// The curve at nIndex, appending one new curve first when nIndex is not less
// than the count, so that addressing 0, 1, 2 in turn creates the curves in
// order. An index beyond the next free one raises
// std::out_of_range("invalid vector<T> subscript"); the curve appended on the
// way stays. A null slot gives null.
QOR032_API CCurve* AddressCurve(CurveArray& curves, unsigned __int64 nIndex);

// Deletes every curve with its points and empties the array.
QOR032_API void DeleteCurves(CurveArray& curves);

// The point as a dated point that can be placed on the graph: a dated point
// with a valid date and a finite value; null for any other point. The
// scaling and the plot look at points only through this test, so a NaN, an
// infinity or a missing date cannot stretch the axes or reach the drawing.
QOR032_API const GraphEntryDateY* PlottableDated(const GraphEntryY* pEntry);

}  // namespace graph
}  // namespace qor
