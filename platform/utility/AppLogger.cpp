// AppLogger: append-only text log with a timestamp per line.
#include "AppLogger.h"

#include "DateTime.h"

AppLogger* AppLogger::m_pInstance = nullptr;

AppLogger::AppLogger(const CString& strLogFile) : m_strLogFile(strLogFile) {
  // Binary mode keeps the line end a single "\n" on every platform; the C
  // library takes the narrow path in the same 8-bit code page as CString.
  if (!m_strLogFile.IsEmpty()) m_pFile = std::fopen(m_strLogFile.GetString(), "ab");
}

AppLogger::~AppLogger() {
  if (m_pInstance == this) m_pInstance = nullptr;
  if (m_pFile != nullptr) std::fclose(m_pFile);
}

void AppLogger::AddLine(const CString& strLine) {
  DateTime dtNow;
  int nMilliseconds = 0;
  DateTime::ReadClock(dtNow, nMilliseconds);

  CString strStamp;
  if (dtNow.IsValid()) {
    strStamp.Format("%04d-%02d-%02d %02d:%02d:%02d.%03d ", dtNow.GetYear(), dtNow.GetMonth(), dtNow.GetDay(),
                    dtNow.GetHour(), dtNow.GetMinute(), dtNow.GetSecond(), nMilliseconds);
  } else {
    strStamp = "0000-00-00 00:00:00.000 ";
  }

  CString strText(strLine);
  strText.Replace('\r', ' ');
  strText.Replace('\n', ' ');

  CString strOut = strStamp + strText;
  strOut += '\n';

  std::lock_guard<std::mutex> lock(m_mutex);
  m_arrayLines.push_back(strText);
  if (m_pFile != nullptr) {
    std::fwrite(strOut.GetString(), 1, static_cast<size_t>(strOut.GetLength()), m_pFile);
    std::fflush(m_pFile);
  }
}

CString AppLogger::GetLogFile() const { return m_strLogFile; }

bool AppLogger::IsOpen() const { return m_pFile != nullptr; }

std::vector<CString> AppLogger::GetLines() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_arrayLines;
}
