// What the line graph, the pie and the progress bar tell screen readers,
// apart from any window. Values are written as the controls draw them.
#pragma once

#include <afx.h>

#include <DateTime.h>

#include "AccessModel.h"
#include "GraphData.h"
#include "qor032api.h"

class CPieSlicesList;

namespace qor::access {

// "5 January 2025"; empty for a date that is not valid.
QOR032_API CString DateInWords(const DateTime& dt);

// The line graph, named by its title ("Graph" without one) and described by
// its curves and, over the points it plots, their first and last day and
// their lowest and highest value: "3 curves, 5 January 2025 to 20 March
// 2025, values from -15 to 40" ("1 curve, 5 January 2025, value 7" when the
// ends meet; "2 curves, nothing plotted" when no point can be placed or the
// graph is in valued mode, which draws no points). One item per curve in
// index order (null slots left out), named by its label ("Curve <slot + 1>"
// without one), whose value is its last plottable point's. Values are
// written with strFormat, the value axis's label format.
QOR032_API ChartModel DescribeGraph(const CString& strTitle, const CurveArray& curves, bool bDated,
                                    const CString& strFormat);

// The pie, named by its title ("Pie" without one): one item per drawn slice
// in drawing order, named by its legend label (without one, "Other" for the
// remainder and "Slice <position>" for any other), whose value is its
// percentage text ("50%"). No slices: no items.
QOR032_API ChartModel DescribePie(const CString& strTitle, const CPieSlicesList* pSlices);

// The progress bar's value: the percentage done as the bar writes it
// ("40%"), whether or not the bar shows it.
QOR032_API CString ProgressValue(int nPosition, int nTotal);

}  // namespace qor::access
