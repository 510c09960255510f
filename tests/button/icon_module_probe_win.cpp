// Loads a copy of the library by path, asks for Copy's images fifty times,
// unloads it once, and exits with the bits RunProbe in icon_win_test.cpp
// documents (10, 11: the library or its function could not be found).
#include <windows.h>

#include <string>

namespace {

// QorIcon::GetIconInfo(QorIcon::ButtonIcon, unsigned&, unsigned&, unsigned&,
// HINSTANCE&, bool) as exported by the library; ButtonIcon is an int enum.
using GetIconInfoFn = bool (*)(int, unsigned int&, unsigned int&, unsigned int&, HINSTANCE&,
                               bool);
const char kGetIconInfo[] = "_ZN7QorIcon11GetIconInfoENS_10ButtonIconERjS1_S1_RP11HINSTANCE__b";
constexpr int kCopy = 29;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 20;
  const std::string path = argv[1];
  const std::string fileName = path.substr(path.find_last_of("\\/") + 1);
  HMODULE hLib = ::LoadLibraryA(path.c_str());
  if (hLib == nullptr) return 10;
  auto fn = reinterpret_cast<GetIconInfoFn>(::GetProcAddress(hLib, kGetIconInfo));
  if (fn == nullptr) return 11;

  bool bIdsRight = true;
  HINSTANCE hFound = reinterpret_cast<HINSTANCE>(1);
  for (int i = 0; i < 50; ++i) {
    unsigned int n = 0, hot = 0, dis = 0;
    HINSTANCE h = reinterpret_cast<HINSTANCE>(1);
    if (!fn(kCopy, n, hot, dis, h, false) || n != 355 || hot != 366 || dis != 365) {
      bIdsRight = false;
    }
    hFound = h;
  }
  int code = 0;
  if (bIdsRight) code |= 1;
  if (hFound == hLib) code |= 2;
  if (hFound == nullptr) code |= 4;
  ::FreeLibrary(hLib);
  if (::GetModuleHandleA(fileName.c_str()) == nullptr) code |= 8;
  return code;
}
