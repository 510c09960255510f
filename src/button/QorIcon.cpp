// The catalogue's lookups: plain data from QorIconTable.inc and the three shape
// rules. Everything here is portable; only the module lookup and the drawing
// are platform code (QorIcon_win.cpp).
#include "QorIcon.h"

#include <algorithm>
#include <cstddef>

namespace {

enum class Shape { SingleImage, OneSize, TwoSizes };

struct Entry {
  const char* pszName;
  int nValue;  // the ButtonIcon value, or -1
  Shape shape;
  unsigned int nBase;
};

constexpr Entry kEntries[] = {
#define QOR_ICON(name, value, shape, base) {#name, value, Shape::shape, base},
#define QOR_ICON_EXTRA(name, shape, base) {#name, -1, Shape::shape, base},
#define QOR_ICON_RADIO(name, id) {#name, -1, Shape::SingleImage, id},
#include "QorIconTable.inc"
};
constexpr int kEntryCount = static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]));

// The position of each record in kEntries, by name, so that a Get...ID
// function and GetRadioButton reach their record without a search.
enum EntryIndex : int {
#define QOR_ICON(name, value, shape, base) kIndex_##name,
#define QOR_ICON_EXTRA(name, shape, base) kIndex_##name,
#define QOR_ICON_RADIO(name, id) kIndex_##name,
#include "QorIconTable.inc"
};

struct Departure {
  int nIndex;
  unsigned int nDisabled16;
  unsigned int nHot16;
};

constexpr Departure kDepartures[] = {
#define QOR_ICON_DEPARTURE(name, disabled, hot) {kIndex_##name, disabled, hot},
#include "QorIconTable.inc"
};

constexpr int kLastValue = 143;

struct Images {
  unsigned int nNormal;
  unsigned int nHot;
  unsigned int nDisabled;
  int nSize;  // pixels
};

constexpr Images ImagesOf(int nIndex, bool bLarge) {
  const Entry& e = kEntries[nIndex];
  const unsigned int n = e.nBase;
  Images images{n, n, n, 16};
  switch (e.shape) {
    case Shape::SingleImage:
      return images;
    case Shape::OneSize:
      images = {n, n + 2, n + 1, 16};
      break;
    case Shape::TwoSizes:
      if (bLarge) return {n + 1, n + 3, n + 2, 32};
      images = {n, n + 5, n + 4, 16};
      break;
  }
  for (const Departure& d : kDepartures) {
    if (d.nIndex == nIndex) {
      images.nHot = d.nHot16;
      images.nDisabled = d.nDisabled16;
    }
  }
  return images;
}

// Record index by ButtonIcon value; -1 where a value has no entry.
struct ValueIndex {
  int aIndex[kLastValue + 1];
};

constexpr ValueIndex MakeValueIndex() {
  ValueIndex vi{};
  for (int& i : vi.aIndex) i = -1;
  for (int i = 0; i < kEntryCount; ++i) {
    if (kEntries[i].nValue >= 0) vi.aIndex[kEntries[i].nValue] = i;
  }
  return vi;
}

constexpr ValueIndex kByValue = MakeValueIndex();

// The table is checked when it is compiled: every resource identifier from
// 200 to 962 but 482 belongs to exactly one image of one record, the sizes
// add up, and every value is used once, by an entry with states to show.
constexpr unsigned int kFirstId = 200;
constexpr unsigned int kLastId = 962;
constexpr unsigned int kMissingId = 482;

struct Coverage {
  int aUses[kLastId - kFirstId + 1];
  int nOutside;
  int nSmall;
  int nLarge;
};

constexpr void Use(Coverage& c, unsigned int id, int nSize) {
  if (id < kFirstId || id > kLastId) {
    ++c.nOutside;
    return;
  }
  ++c.aUses[id - kFirstId];
  ++(nSize == 32 ? c.nLarge : c.nSmall);
}

constexpr Coverage MakeCoverage() {
  Coverage c{};
  for (int i = 0; i < kEntryCount; ++i) {
    for (bool bLarge : {false, true}) {
      if (bLarge && kEntries[i].shape != Shape::TwoSizes) continue;
      const Images im = ImagesOf(i, bLarge);
      Use(c, im.nNormal, im.nSize);
      if (kEntries[i].shape != Shape::SingleImage) {
        Use(c, im.nHot, im.nSize);
        Use(c, im.nDisabled, im.nSize);
      }
    }
  }
  return c;
}

constexpr bool EveryGroupUsedOnce() {
  constexpr Coverage c = MakeCoverage();
  if (c.nOutside != 0 || c.nSmall != 471 || c.nLarge != 291) return false;
  for (unsigned int id = kFirstId; id <= kLastId; ++id) {
    if (c.aUses[id - kFirstId] != (id == kMissingId ? 0 : 1)) return false;
  }
  return true;
}

constexpr bool EveryValueUsedOnce() {
  int aUses[kLastValue + 1] = {};
  for (const Entry& e : kEntries) {
    if (e.nValue < 0) continue;
    if (e.nValue > kLastValue || e.shape == Shape::SingleImage) return false;
    ++aUses[e.nValue];
  }
  for (int v = 0; v <= kLastValue; ++v) {
    if (aUses[v] != (v == QorIcon::NoIcon ? 0 : 1)) return false;
  }
  return true;
}

static_assert(EveryGroupUsedOnce(), "the icon catalogue must use each group 200-962 but 482 once");
static_assert(EveryValueUsedOnce(), "each ButtonIcon value but 61 must name one entry");

}  // namespace

void QorIcon::FillIds(int nIndex, unsigned int& normalId, HINSTANCE& module,
                      unsigned int* pHotId, unsigned int* pDisabledId, bool bLarge) {
  const Images images = ImagesOf(nIndex, bLarge);
  normalId = images.nNormal;
  if (pHotId != nullptr) *pHotId = images.nHot;
  if (pDisabledId != nullptr) *pDisabledId = images.nDisabled;
  module = GetCurrentModuleHandle();
}

#define QOR_ICON_DEFINE_SingleImage(name)                                    \
  void QorIcon::Get##name##ID(unsigned int& normalId, HINSTANCE& module) {   \
    FillIds(kIndex_##name, normalId, module, nullptr, nullptr, false);       \
  }
#define QOR_ICON_DEFINE_OneSize(name)                                        \
  void QorIcon::Get##name##ID(unsigned int& normalId, HINSTANCE& module,     \
                              unsigned int& hotId, unsigned int& disabledId) { \
    FillIds(kIndex_##name, normalId, module, &hotId, &disabledId, false);    \
  }
#define QOR_ICON_DEFINE_TwoSizes(name)                                       \
  void QorIcon::Get##name##ID(unsigned int& normalId, HINSTANCE& module,     \
                              unsigned int& hotId, unsigned int& disabledId, \
                              bool bLarge) {                                 \
    FillIds(kIndex_##name, normalId, module, &hotId, &disabledId, bLarge);   \
  }
#define QOR_ICON(name, value, shape, base) QOR_ICON_DEFINE_##shape(name)
#define QOR_ICON_EXTRA(name, shape, base) QOR_ICON_DEFINE_##shape(name)
#include "QorIconTable.inc"

bool QorIcon::GetIconInfo(ButtonIcon icon, unsigned int& normalId, unsigned int& hotId,
                          unsigned int& disabledId, HINSTANCE& module, bool bLarge) {
  const int nValue = static_cast<int>(icon);
  if (nValue < 0 || nValue > kLastValue) return false;
  const int nIndex = kByValue.aIndex[nValue];
  if (nIndex < 0) return false;
  FillIds(nIndex, normalId, module, &hotId, &disabledId, bLarge);
  return true;
}

void QorIcon::GetRadioButton(unsigned int& normalId, HINSTANCE& module, bool bSelected) {
  FillIds(bSelected ? kIndex_RadioButtonSelected : kIndex_RadioButton, normalId, module,
          nullptr, nullptr, false);
}

namespace qor {

std::vector<ComboArrowRow> ComboArrowRows(const RECT& rc) {
  // 64-bit arithmetic: a rectangle spanning most of the coordinate range must
  // not overflow the width.
  const long long w = static_cast<long long>(rc.right) - rc.left;
  const long long half = w / 2;
  const long long quarter = half / 2;
  long long y = rc.top + (static_cast<long long>(rc.bottom) - rc.top - quarter) / 2;
  long long x = rc.left + (w - half) / 2;
  long long n = half - 1;

  // Rows that would fall outside the rectangle (a rectangle much wider than it
  // is tall) are left out, so the arrow never paints over the caller's
  // neighbouring pixels.
  if (y < rc.top && n > 0) {
    const long long skip = rc.top - y;
    y += skip;
    x += skip;
    n -= 2 * skip;
  }
  std::vector<ComboArrowRow> rows;
  for (; n > 0 && y < rc.bottom; ++y, ++x, n -= 2) {
    rows.push_back({static_cast<LONG>(x), static_cast<LONG>(x + n), static_cast<LONG>(y)});
  }
  return rows;
}

}  // namespace qor
