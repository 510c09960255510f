// The entry point of a framework application. It cannot live in the DLL, so
// it is built as the object library appframe_main that a host links in; the
// host only defines its CWinApp-derived global object.
#include "afxwin.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
