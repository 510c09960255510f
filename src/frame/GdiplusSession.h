// GdiplusSession: keeps GDI+ started while it lives. The first session in the
// process starts GDI+ and the last one to end stops it, so the library's
// GDI+ users work whether or not the host has started GDI+ itself (GDI+
// counts its own starts, so the host's start and ours never disturb each
// other). Sessions are made by the objects and calls that draw or code
// images, never in the module's entry function. Each owner of GDI+ objects
// holds a session declared before those objects, so they are released while
// GDI+ still runs. Sessions may begin and end on any thread: the count and
// GDI+'s startup and shutdown change under one lock, so GDI+ is never
// stopped while a session on any thread is live.
#pragma once

#include "qor032api.h"

namespace qor {

class QOR032_API GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  // A copy is one more session: a copied owner keeps GDI+ as the original does.
  GdiplusSession(const GdiplusSession&);
  GdiplusSession& operator=(const GdiplusSession&) { return *this; }

  // False when GDI+ could not be started; every GDI+ call would fail.
  bool IsStarted() const { return m_bStarted; }

  // Live sessions in the process (for tests of the balance).
  static unsigned int GetLiveCount();

 private:
  void Start();

  bool m_bStarted = false;
};

}  // namespace qor
