// QorIcon: the names of the library's built-in icons.
//
// The module carries one icon group per image. An entry of the catalogue is one
// picture in three states (normal, hot, disabled) and, for many entries, two
// sizes (16 and 32 pixels); the catalogue tells a caller which resource
// identifiers hold an entry's images and which module holds them, so that any
// icon loader can load them. The catalogue itself is QorIconTable.inc; the
// enumeration and the Get...ID functions below are made from it.
#pragma once

#include <afx.h>

#include <vector>

#include "qor032api.h"

class CDC;

class QOR032_API QorIcon {
 public:
  // The entries a shaded button can be given. The underlying type is fixed so
  // that any int a caller casts to it is a value GetIconInfo can reject.
  enum ButtonIcon : int {
#define QOR_ICON(name, value, shape, base) name = value,
#include "QorIconTable.inc"
    // Value 61 names no entry.
    NoIcon = 61,
  };

  // For a value 0 to 143 other than 61, writes the entry's identifiers and the
  // module handle exactly as the entry's own Get...ID function does (bLarge is
  // ignored by a one-size entry) and returns true. Otherwise returns false and
  // writes nothing.
  static bool GetIconInfo(ButtonIcon icon, unsigned int& normalId, unsigned int& hotId,
                          unsigned int& disabledId, HINSTANCE& module, bool bLarge);

  // One function per entry, named Get + entry name + ID, in its shape:
  //   single image  (normalId, module)
  //   one size      (normalId, module, hotId, disabledId)
  //   two sizes     (normalId, module, hotId, disabledId, bLarge): 32-pixel
  //                 images when bLarge, else 16-pixel ones.
  // Each writes the identifiers and the module handle (null when the module
  // cannot be found).
#define QOR_ICON_DECLARE_SingleImage(name) \
  static void Get##name##ID(unsigned int& normalId, HINSTANCE& module);
#define QOR_ICON_DECLARE_OneSize(name)                                    \
  static void Get##name##ID(unsigned int& normalId, HINSTANCE& module,   \
                            unsigned int& hotId, unsigned int& disabledId);
#define QOR_ICON_DECLARE_TwoSizes(name)                                   \
  static void Get##name##ID(unsigned int& normalId, HINSTANCE& module,   \
                            unsigned int& hotId, unsigned int& disabledId, \
                            bool bLarge);
#define QOR_ICON(name, value, shape, base) QOR_ICON_DECLARE_##shape(name)
#define QOR_ICON_EXTRA(name, shape, base) QOR_ICON_DECLARE_##shape(name)
#include "QorIconTable.inc"
#undef QOR_ICON_DECLARE_SingleImage
#undef QOR_ICON_DECLARE_OneSize
#undef QOR_ICON_DECLARE_TwoSizes

  // The 16-pixel radio-button image: a filled circle when bSelected, else an
  // empty one.
  static void GetRadioButton(unsigned int& normalId, HINSTANCE& module, bool bSelected);

  // A small downward-pointing triangle of one-pixel lines in cr, centred in
  // rc, as a combo box's drop-down arrow: its top row is half the width less
  // one pixel, and each row below is one pixel narrower on each side. Rows
  // that would fall outside rc are left out. Nothing for a null context.
  static void DrawComboArrow(CDC* pDC, CRect const& rc, COLORREF cr);

 protected:
  // This library module, found by its file name without taking a reference;
  // null if no module of that name is loaded. Looked up afresh on every call.
  static HINSTANCE GetCurrentModuleHandle();

 private:
  // Writes the images of the catalogue record nIndex (pHot and pDisabled may be
  // null for a single image) and the module handle.
  static void FillIds(int nIndex, unsigned int& normalId, HINSTANCE& module,
                      unsigned int* pHotId, unsigned int* pDisabledId, bool bLarge);
};

namespace qor {

// One horizontal run of the drop-down arrow: pixels nLeft to nRight - 1 of row
// nY. The runs are what DrawComboArrow draws, kept apart from the drawing so
// that the geometry is checked without a device context.
struct ComboArrowRow {
  LONG nLeft;
  LONG nRight;
  LONG nY;
};

QOR032_API std::vector<ComboArrowRow> ComboArrowRows(const RECT& rc);

// QorIcon::DrawComboArrow on a raw device context, for code that holds no
// CDC. Nothing for a null context. Windows only.
QOR032_API void DrawComboArrow(HDC hDC, const RECT& rc, COLORREF cr);

}  // namespace qor
