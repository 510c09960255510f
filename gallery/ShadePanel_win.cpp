// Faces of every style, each beside its hot variant: the hot palette is
// blended toward the base colour lightened by 45 %, by the highlight percent,
// as a shaded button makes its hot face.
#include <afxwin.h>

#include <memory>
#include <vector>

#include <GraphicsUtils.h>
#include <Shade.h>
#include <ShadeProps.h>

#include "GalleryPanels.h"

namespace {

constexpr int kFaceWidth = 120;
constexpr int kFaceHeight = 36;
constexpr int kCellWidth = 2 * kFaceWidth + 24;
constexpr int kCellHeight = kFaceHeight + 24;
constexpr int kColumns = 4;

// Glass is reached only by derived classes.
class GlassShade : public Shade {
 public:
  void MakeGlass() { CreateGlass(); }
};

struct Sample {
  const char* pszName;
  ShadeProps::Style eStyle;
  COLORREF crColor;
  unsigned char nGranularity;
};

const Sample kSamples[] = {
    {"Noise", ShadeProps::Noise, RGB(90, 140, 200), 20},
    {"Diagonal", ShadeProps::Diagonal, RGB(200, 120, 60), 8},
    {"HorzShade", ShadeProps::HorzShade, RGB(80, 160, 90), 8},
    {"VertShade", ShadeProps::VertShade, RGB(150, 90, 170), 8},
    {"HorzBump", ShadeProps::HorzBump, RGB(70, 110, 180), 6},
    {"VertBump", ShadeProps::VertBump, RGB(180, 70, 80), 6},
    {"SoftBump", ShadeProps::SoftBump, RGB(60, 150, 150), 4},
    {"HardBump", ShadeProps::HardBump, RGB(170, 150, 60), 4},
    {"Metal", ShadeProps::Metal, RGB(150, 160, 175), 10},
    {"HorzGradient", ShadeProps::HorzGradient, RGB(40, 90, 200), 0},
    {"VertGradient", ShadeProps::VertGradient, RGB(220, 110, 40), 0},
    {"DiagGradient", ShadeProps::DiagGradient, RGB(50, 160, 110), 0},
    {"Glass", ShadeProps::VertGradient, RGB(60, 120, 210), 0},
};
constexpr int kSampleCount = static_cast<int>(sizeof kSamples / sizeof kSamples[0]);

// The faces are generated once: painting only blits them, as a button does.
const std::vector<std::unique_ptr<GlassShade>>& Faces() {
  static std::vector<std::unique_ptr<GlassShade>> faces;
  if (!faces.empty()) return faces;
  for (int i = 0; i < kSampleCount; ++i) {
    const Sample& s = kSamples[i];
    ShadeProps props;
    props.SetStyle(s.eStyle);
    props.SetColor(s.crColor);
    props.SetColoring(35);
    props.SetHighlight(50);
    props.SetGranularity(s.nGranularity);
    for (int hot = 0; hot < 2; ++hot) {
      auto face = std::make_unique<GlassShade>();
      face->SetShadeProps(props);
      face->SetSize(kFaceWidth, kFaceHeight);
      if (i == kSampleCount - 1) face->MakeGlass();
      if (hot) face->BlendPalette(GraphicsUtils::AdjustColor(s.crColor, -0.45), props.GetHighlight());
      faces.push_back(std::move(face));
    }
  }
  return faces;
}

void PaintShades(CDC& dc, const CRect& rc) {
  const std::vector<std::unique_ptr<GlassShade>>& faces = Faces();
  for (int i = 0; i < kSampleCount; ++i) {
    const int x = rc.left + 8 + (i % kColumns) * kCellWidth;
    const int y = rc.top + 6 + (i / kColumns) * kCellHeight;
    for (int hot = 0; hot < 2; ++hot) faces[2 * i + hot]->Draw(dc.GetSafeHdc(), x + hot * (kFaceWidth + 8), y);
    CRect label(x, y + kFaceHeight + 2, x + 2 * kFaceWidth + 8, y + kFaceHeight + 20);
    CString text(kSamples[i].pszName);
    text += "  (normal, hot)";
    dc.DrawText(text, &label, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace

GALLERY_PANEL(10, "Face styles: normal and hot", kColumns * kCellWidth + 8,
              ((kSampleCount + kColumns - 1) / kColumns) * kCellHeight + 8, PaintShades);
