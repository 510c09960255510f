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
  // Optional: makes the panel's child windows (controls) once, in the panel
  // window's client coordinates; the panel paints under them and a
  // screenshot prints them over it.
  void (*pfnCreate)(CWnd& wndPanel, const CRect& rcContent) = nullptr;
};

const std::vector<GalleryPanel>& GalleryPanels();

struct GalleryPanelRegistrar {
  explicit GalleryPanelRegistrar(const GalleryPanel& panel);
};

#define GALLERY_PANEL_CAT2_(a, b) a##b
#define GALLERY_PANEL_CAT_(a, b) GALLERY_PANEL_CAT2_(a, b)
#define GALLERY_PANEL(order, title, cx, cy, paint) \
  static GalleryPanelRegistrar GALLERY_PANEL_CAT_(g_galleryPanel, __LINE__)(GalleryPanel{order, title, cx, cy, paint})
// A panel of live controls: create makes them, paint draws what lies under
// them (often only a caption or nothing).
#define GALLERY_CONTROL_PANEL(order, title, cx, cy, paint, create)               \
  static GalleryPanelRegistrar GALLERY_PANEL_CAT_(g_galleryPanel, __LINE__)( \
      GalleryPanel{order, title, cx, cy, paint, create})

// A control the gallery prints with --print: pfnPrint prints it through the
// default printer, as its user would, and returns the job's message (empty
// when it printed).
struct GalleryPrintable {
  const char* pszName;  // the name of its PDF in the folder, without ".pdf"
  CString (*pfnPrint)();
};

struct GalleryPrintableRegistrar {
  explicit GalleryPrintableRegistrar(const GalleryPrintable& printable);
};

#define GALLERY_PRINTABLE(name, print) \
  static GalleryPrintableRegistrar GALLERY_PANEL_CAT_(g_galleryPrintable, __LINE__)(GalleryPrintable{name, print})
