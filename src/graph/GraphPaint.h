// Carries the graph's layout out on a device context: the picture's lines,
// labels, marks, curves and axes, and the legend box. Internal to the
// library. (Windows.)
#pragma once

#include <afxwin.h>

#include "GraphLayout.h"

namespace qor::graph {

struct GraphPens {
  COLORREF crGrid;
  COLORREF crTick;
  COLORREF crAxis;
};

// The pixels of a top-down 32-bit DIB section selected into the DC being
// painted, so that markers are written straight into memory; null bits
// mean the markers go through SetPixel.
struct GraphBits {
  DWORD* pBits = nullptr;
  int cx = 0;
  int cy = 0;
};

// Fill of the legend box.
const COLORREF kLegendFill = RGB(255, 255, 200);

// Draws the picture in the layout's order with solid pens of the picture's
// line width: value lines, ticks and labels (in the DC's text colour), date
// marks and labels (in the grid colour, which stays set), curves with their
// markers, axes. The DC's pen is restored.
void PaintGraphPicture(CDC& dc, const GraphPicture& pic, const GraphPens& pens, const GraphBits& bits);

// The box filled and framed, each curve's sample line and label in black in
// pFont, with the legend's pen widths; the DC's pen, brush and font are
// restored.
void PaintGraphLegend(CDC& dc, const GraphLegend& legend, CFont* pFont);

}  // namespace qor::graph
