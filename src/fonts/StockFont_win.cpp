// The default GUI font from GDI's stock objects.
#include "StockFont.h"

namespace qor {

bool ReadSystemStockFont(LOGFONTA& lf) {
  HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
  if (hFont == nullptr) hFont = ::GetStockObject(ANSI_VAR_FONT);
  if (hFont == nullptr) return false;
  ::GetObjectA(hFont, sizeof(LOGFONTA), &lf);
  return true;
}

}  // namespace qor
