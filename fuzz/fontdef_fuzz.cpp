// Feeds arbitrary bytes to FontDef's loader (both record layouts): it must
// read or raise CArchiveException; a failed read leaves the definition as it
// was, and a definition read must survive a second round trip.
#include <cstddef>
#include <cstdint>
#include <memory>

#include <afx.h>

#include "FontDef.h"
#include "font_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 16)) return 0;
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  CArchive ar(&file, CArchive::load);
  auto def = std::make_unique<FontDef>();
  def->SetName(CString("fuzz"));
  def->SetColor(0x00123456);
  LOGFONTA before;
  def->GetFont(before);
  try {
    def->Serialize(ar);
  } catch (CArchiveException* e) {
    e->Delete();
    LOGFONTA after;
    def->GetFont(after);
    if (def->GetColor() != 0x00123456 || !fontfuzz::SameFont(before, after)) __builtin_trap();
    return 0;
  }
  LOGFONTA lf;
  def->GetFont(lf);
  fontfuzz::CheckFace(lf);
  if (def->GetName() != "fuzz") __builtin_trap();

  CMemFile copy;
  {
    CArchive out(&copy, CArchive::store);
    def->Serialize(out);
    out.Close();
  }
  copy.SeekToBegin();
  CArchive in(&copy, CArchive::load);
  FontDef back;
  back.Serialize(in);
  LOGFONTA lfBack;
  back.GetFont(lfBack);
  if (back.GetColor() != def->GetColor() || !fontfuzz::SameFont(lf, lfBack)) __builtin_trap();
  return 0;
}
