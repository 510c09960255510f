// Walks the whole catalogue through its public Get...ID functions and
// GetRadioButton, in both sizes where an entry has them.
#pragma once

#include <string>
#include <vector>

#include "QorIcon.h"

namespace icon_walk {

// One size of one entry; a single image has no hot or disabled image (0).
struct Images {
  std::string strName;
  std::string strShape;  // "SingleImage", "OneSize" or "TwoSizes"
  int nSize;             // 16 or 32
  unsigned int nNormal;
  unsigned int nHot;
  unsigned int nDisabled;
  HINSTANCE hModule;
};

class Walker {
 public:
  void Visit(const char* pszName, void (*fn)(unsigned int&, HINSTANCE&)) {
    Images im{pszName, "SingleImage", 16, 0, 0, 0, nullptr};
    fn(im.nNormal, im.hModule);
    m_images.push_back(im);
  }
  void Visit(const char* pszName,
             void (*fn)(unsigned int&, HINSTANCE&, unsigned int&, unsigned int&)) {
    Images im{pszName, "OneSize", 16, 0, 0, 0, nullptr};
    fn(im.nNormal, im.hModule, im.nHot, im.nDisabled);
    m_images.push_back(im);
  }
  void Visit(const char* pszName,
             void (*fn)(unsigned int&, HINSTANCE&, unsigned int&, unsigned int&, bool)) {
    for (bool bLarge : {false, true}) {
      Images im{pszName, "TwoSizes", bLarge ? 32 : 16, 0, 0, 0, nullptr};
      fn(im.nNormal, im.hModule, im.nHot, im.nDisabled, bLarge);
      m_images.push_back(im);
    }
  }
  void VisitRadio() {
    for (bool bSelected : {false, true}) {
      Images im{bSelected ? "RadioButtonSelected" : "RadioButton", "SingleImage", 16, 0, 0, 0,
                nullptr};
      QorIcon::GetRadioButton(im.nNormal, im.hModule, bSelected);
      m_images.push_back(im);
    }
  }
  std::vector<Images> m_images;
};

inline std::vector<Images> WalkCatalogue() {
  Walker w;
#define QOR_ICON(name, value, shape, base) w.Visit(#name, &QorIcon::Get##name##ID);
#define QOR_ICON_EXTRA(name, shape, base) w.Visit(#name, &QorIcon::Get##name##ID);
#include "QorIconTable.inc"
  w.VisitRadio();
  return w.m_images;
}

}  // namespace icon_walk
