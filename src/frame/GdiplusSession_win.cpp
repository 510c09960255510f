#include "GdiplusSession.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace {

// The count and the token change only under this lock, together with GDI+'s
// startup and shutdown, so sessions begun and ended on any threads start
// GDI+ once and stop it only when none is live. An SRW lock needs neither
// construction nor destruction, so a session held by a static object may
// begin or end at any point of the module's life, its unload included.
SRWLOCK g_lock = SRWLOCK_INIT;
ULONG_PTR g_nToken = 0;
unsigned int g_nLive = 0;

class Locked {
 public:
  Locked() { ::AcquireSRWLockExclusive(&g_lock); }
  ~Locked() { ::ReleaseSRWLockExclusive(&g_lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

}  // namespace

namespace qor {

GdiplusSession::GdiplusSession() { Start(); }

GdiplusSession::GdiplusSession(const GdiplusSession&) { Start(); }

void GdiplusSession::Start() {
  Locked lock;
  if (g_nLive == 0) {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&g_nToken, &input, nullptr) != Gdiplus::Ok) return;
  }
  ++g_nLive;
  m_bStarted = true;
}

GdiplusSession::~GdiplusSession() {
  if (!m_bStarted) return;
  Locked lock;
  if (--g_nLive == 0) {
    Gdiplus::GdiplusShutdown(g_nToken);
    g_nToken = 0;
  }
}

unsigned int GdiplusSession::GetLiveCount() {
  Locked lock;
  return g_nLive;
}

}  // namespace qor
