// The default GUI font where there is no GDI: the description Windows gives
// for its stock DEFAULT_GUI_FONT at 96 dots per inch.
#include <cstring>

#include "StockFont.h"

namespace qor {

bool ReadSystemStockFont(LOGFONTA& lf) {
  lf.lfHeight = -11;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(lf.lfFaceName, "MS Shell Dlg");
  return true;
}

}  // namespace qor
