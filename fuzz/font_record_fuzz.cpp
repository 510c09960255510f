// Feeds arbitrary bytes to the font record reader: it must read a record or
// raise CArchiveException, never write past the record (which sits alone in
// its own heap block, so AddressSanitizer sees any byte beyond), and a record
// it read must survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>

#include <afx.h>

#include "GraphicsUtils.h"
#include "font_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 16)) return 0;
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  CArchive ar(&file, CArchive::load);
  auto lf = std::make_unique<LOGFONTA>();
  try {
    GraphicsUtils::SerializeFont(*lf, ar);
  } catch (CArchiveException* e) {
    e->Delete();
    return 0;
  }
  fontfuzz::CheckFace(*lf);

  CMemFile copy;
  {
    CArchive out(&copy, CArchive::store);
    GraphicsUtils::SerializeFont(*lf, out);
    out.Close();
  }
  copy.SeekToBegin();
  CArchive in(&copy, CArchive::load);
  auto back = std::make_unique<LOGFONTA>();
  GraphicsUtils::SerializeFont(*back, in);
  if (!fontfuzz::SameFont(*lf, *back)) __builtin_trap();
  return 0;
}
