# Sources of qor009.dll. Portable files build everywhere; *_win.cpp call
# Win32 and build for Windows only; *_host.cpp are their counterparts on
# other systems.
set(QOR009_PORTABLE
  AppLogger.cpp
  DateTime.cpp
  DirUtils.cpp
  FileUtils.cpp
  NumberTextConv.cpp
  RandomNumberGen.cpp
  SerializeData.cpp
  TextArray.cpp
)
set(QOR009_WINDOWS
  clipboard_cbitmap_win.cpp
  clipboard_win.cpp
  pathtext_win.cpp
  smarthandle_win.cpp
  stringutils_win.cpp
  systemutils_win.cpp
)
if(NOT WIN32)
  list(APPEND QOR009_PORTABLE pathtext_host.cpp stringutils_host.cpp systemutils_host.cpp)
endif()
