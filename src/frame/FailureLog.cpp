// Failure sites report through here so that the log line has one form.
#include "FailureLog.h"

#include <AppLogger.h>

namespace qor {

void LogFailure(const char* pszGuid) { LogFailure(pszGuid, CString()); }

void LogFailure(const char* pszGuid, const CString& strMore) {
  AppLogger* pLog = AppLogger::m_pInstance;
  if (pLog == nullptr) return;
  // The report is best effort: a failure while logging must not turn the
  // caller's empty result into an exception.
  try {
    CString line(pszGuid);
    line += strMore;
    pLog->AddLine(line);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

}  // namespace qor
