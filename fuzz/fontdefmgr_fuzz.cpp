// Feeds arbitrary bytes to FontDefMgr's loader. The first byte chooses how
// many definitions the collection holds (0 to 7); the rest is the record.
// Loading reads that many definitions or raises CArchiveException, and never
// changes the number of definitions.
#include <cstddef>
#include <cstdint>

#include <afx.h>

#include "FontDefMgr.h"
#include "font_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 16)) return 0;
  const unsigned nDefs = data[0] % 8;
  FontDefMgr mgr;
  for (unsigned i = 0; i < nDefs; ++i) {
    FontDef def;
    def.SetName(CString('a' + static_cast<char>(i), 1));
    mgr.AddFont(def);
  }
  CMemFile file(const_cast<BYTE*>(data + 1), static_cast<UINT>(size - 1));
  CArchive ar(&file, CArchive::load);
  try {
    mgr.Serialize(ar);
  } catch (CArchiveException* e) {
    e->Delete();
  }
  if (mgr.GetFontsCount() != nDefs) __builtin_trap();
  for (unsigned i = 0; i < nDefs; ++i) {
    LOGFONTA lf;
    mgr.GetAtFont(i).GetFont(lf);
    fontfuzz::CheckFace(lf);
    if (mgr.GetAtFont(i).GetName() != CString('a' + static_cast<char>(i), 1)) __builtin_trap();
  }
  return 0;
}
