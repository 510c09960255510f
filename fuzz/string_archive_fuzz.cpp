// Feeds arbitrary bytes to the archive's string and count readers: they must
// either read or raise CArchiveException, never crash or allocate from an
// untrusted length.
#include <cstddef>
#include <cstdint>

#include <afx.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  CArchive ar(&file, CArchive::load);
  try {
    for (int i = 0; i < 8; ++i) {
      CString s;
      ar >> s;
      ar.ReadCount();
    }
  } catch (CArchiveException* e) {
    e->Delete();
  }
  return 0;
}
