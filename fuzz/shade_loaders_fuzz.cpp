// Feeds arbitrary bytes to the shade record and registry loaders: they must
// read or raise CArchiveException, never crash, and never take a count from
// the file at its word.
#include <cstddef>
#include <cstdint>

#include <afx.h>

#include "BkgStyle.h"
#include "ShadeProps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 16) || size == 0) return 0;
  CMemFile file(const_cast<BYTE*>(data + 1), static_cast<UINT>(size - 1));
  CArchive ar(&file, CArchive::load);
  try {
    if (data[0] & 1) {
      ShadeProps props;
      props.Serialize(ar);
    } else {
      // A registry that knows a few components, as a host's would.
      BkgStyle* pRegistry = BkgStyle::GetInstance();
      for (int i = 1; i <= 3; ++i) pRegistry->SetUser(static_cast<BkgStyle::UIComponent>(i), new ShadeProps);
      pRegistry->Serialize(ar);
    }
  } catch (CArchiveException* e) {
    e->Delete();
  }
  BkgStyle::DeleteInstance();
  return 0;
}
