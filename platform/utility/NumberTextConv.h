// Decimal text of numbers. The text never depends on the process locale:
// digits 0-9, '-' for negatives, '.' as the decimal point.
#pragma once

#include <afx.h>

#include "qor009api.h"

class QOR009_API NumberTextConv {
 public:
  // Limits of the arguments: a wider nMinWidth is cut to MaxMinWidth (so a
  // bad argument cannot ask for an enormous string), more nDecimals to
  // MaxDecimals. Enumerators rather than static data, which a DLL would
  // have to export.
  enum { MaxMinWidth = 64, MaxDecimals = 30 };

  // nValue: the number.
  // bThousands: separate groups of three digits of the whole part with strSep.
  // nMinWidth: the least number of digits of the whole part, made up with
  //   leading zeros (the sign is not counted; 0 or less: no padding).
  // strSep: the group separator when bThousands is true; empty means ",".
  // NumberToString(1234567, true, 0, "") gives "1,234,567";
  // NumberToString(-7, false, 3, "") gives "-007".
  static CString NumberToString(int nValue, bool bThousands, int nMinWidth, const CString& strSep);
  // The same for an unsigned 64-bit value, with no padding and "," as the
  // separator.
  static CString NumberToString(unsigned __int64 nValue, bool bThousands);

  // dValue: the number. A NaN or infinity gives an empty string.
  // nDecimals: digits after the decimal point (0 to MaxDecimals; 0 gives no
  //   point). The value is rounded to nearest on its exact binary value,
  //   halves away from zero ("2.5" with 0 decimals gives "3", "-2.5" "-3").
  // bThousands, nMinWidth, strSep: as for NumberToString, on the whole part.
  // bTrimZeros: drop trailing zeros of the fraction, and the point when no
  //   digit is left after it ("1.50" becomes "1.5", "2.00" becomes "2").
  // A result whose every digit is zero carries no minus sign.
  static CString DoubleToString(double dValue, int nDecimals, bool bThousands, int nMinWidth,
                                const CString& strSep, bool bTrimZeros);
};
