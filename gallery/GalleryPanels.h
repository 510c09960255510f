// The gallery's panels: each shows one part of the library. A panel file
// registers itself with GALLERY_PANEL; the gallery lays the panels out in
// their order and paints each into its own child window.
#pragma once

#include <afxwin.h>

#include <vector>

struct GalleryPanel {
  int nOrder;                          // position in the gallery, ascending
  const char* pszTitle;
  int cx;                              // content size in pixels
  int cy;
  void (*pfnPaint)(CDC& dc, const CRect& rcContent);
};

const std::vector<GalleryPanel>& GalleryPanels();

struct GalleryPanelRegistrar {
  explicit GalleryPanelRegistrar(const GalleryPanel& panel);
};

#define GALLERY_PANEL_CAT2_(a, b) a##b
#define GALLERY_PANEL_CAT_(a, b) GALLERY_PANEL_CAT2_(a, b)
#define GALLERY_PANEL(order, title, cx, cy, paint) \
  static GalleryPanelRegistrar GALLERY_PANEL_CAT_(g_galleryPanel, __LINE__)(GalleryPanel{order, title, cx, cy, paint})
