// Feeds arbitrary bytes to the image header reader as a file: it must read no
// byte outside the file (the bytes sit alone in their heap block, so
// AddressSanitizer sees any read beyond), and a header it calls sound must be
// one the decoder may be given: sides from 1 to INT_MAX, at least their
// product in pixels, and judged against a limit of exactly that many.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "ImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qor::img;
  std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
  if (size > 0) std::memcpy(bytes.get(), data, size);
  MemoryBytes file(bytes.get(), size);
  const ImageHeader h = ReadImageHeader(file);
  if (h.bSound && h.kind != ImageKind::Metafile &&
      (h.nWidth < 1 || h.nHeight < 1 || h.nWidth > INT_MAX || h.nHeight > INT_MAX ||
       h.nPixels < static_cast<unsigned long long>(h.nWidth) * static_cast<unsigned long long>(h.nHeight)))
    __builtin_trap();
  if (CheckSource(h, h.nPixels) != (h.bSound ? SourceCheck::Decode : SourceCheck::Unreadable)) __builtin_trap();
  return 0;
}
