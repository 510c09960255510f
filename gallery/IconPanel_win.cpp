// The icon sheet: every catalogue entry in its normal, hot and disabled image,
// at 16 and, where it has them, 32 pixels, loaded from the library's own
// resources as a button loads them.
#include <afxwin.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <QorIcon.h>

#include "GalleryPanels.h"
#include "icon_walk.h"

namespace {

constexpr int kColumns = 5;
constexpr int kCellWidth = 232;
constexpr int kCellHeight = 38;

struct Entry {
  std::string strName;
  const icon_walk::Images* pSmall = nullptr;
  const icon_walk::Images* pLarge = nullptr;
};

const std::vector<Entry>& Entries() {
  static std::vector<icon_walk::Images> images = icon_walk::WalkCatalogue();
  static std::vector<Entry> entries;
  if (entries.empty()) {
    std::map<std::string, size_t> index;
    for (const icon_walk::Images& im : images) {
      auto it = index.find(im.strName);
      if (it == index.end()) {
        it = index.emplace(im.strName, entries.size()).first;
        entries.push_back(Entry{im.strName});
      }
      (im.nSize == 32 ? entries[it->second].pLarge : entries[it->second].pSmall) = &im;
    }
  }
  return entries;
}

int Rows() { return (static_cast<int>(Entries().size()) + kColumns - 1) / kColumns; }

// Every image is loaded once and kept for the life of the gallery, so a
// repaint only draws.
class IconCache {
 public:
  ~IconCache() {
    for (auto& item : m_icons) DestroyIcon(item.second);
  }
  HICON Get(HINSTANCE hModule, unsigned int id, int size) {
    const Key key{hModule, id, size};
    auto it = m_icons.find(key);
    if (it != m_icons.end()) return it->second;
    HICON hIcon = static_cast<HICON>(LoadImageA(hModule, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    m_icons.emplace(key, hIcon);
    return hIcon;
  }

 private:
  typedef std::tuple<HINSTANCE, unsigned int, int> Key;
  std::map<Key, HICON> m_icons;
};

void DrawIcon(CDC& dc, HINSTANCE hModule, unsigned int id, int size, int x, int y) {
  static IconCache cache;
  if (id == 0) return;
  if (HICON hIcon = cache.Get(hModule, id, size))
    DrawIconEx(dc.GetSafeHdc(), x, y, hIcon, size, size, 0, nullptr, DI_NORMAL);
}

void PaintIcons(CDC& dc, const CRect& rc) {
  const std::vector<Entry>& entries = Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    const int x = rc.left + 6 + static_cast<int>(i % kColumns) * kCellWidth;
    const int y = rc.top + 4 + static_cast<int>(i / kColumns) * kCellHeight;
    int cx = x;
    if (const icon_walk::Images* s = e.pSmall) {
      for (unsigned int id : {s->nNormal, s->nHot, s->nDisabled}) {
        DrawIcon(dc, s->hModule, id, 16, cx, y + 8);
        cx += 18;
      }
    }
    if (const icon_walk::Images* l = e.pLarge) {
      for (unsigned int id : {l->nNormal, l->nHot, l->nDisabled}) {
        DrawIcon(dc, l->hModule, id, 32, cx, y);
        cx += 34;
      }
    } else {
      cx += 3 * 34;
    }
    CRect label(cx + 2, y, x + kCellWidth - 2, y + 32);
    dc.DrawText(e.strName.c_str(), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
}

}  // namespace

GALLERY_PANEL(50, "Icon catalogue: normal, hot and disabled at 16 and 32 pixels", kColumns * kCellWidth + 10,
              Rows() * kCellHeight + 8, PaintIcons);
