# The Windows part of the framework DLL (appframe.dll).
set(APPFRAME_WINDOWS
  state_win.cpp
  wnd_win.cpp
  wndhelp_win.cpp
  msgmap_win.cpp
  ctrl_win.cpp
  dialog_win.cpp
  frame_win.cpp
  app_win.cpp
  gdi_win.cpp
  dc_win.cpp
  menu_win.cpp
  dllx_win.cpp
  dc_transform_win.cpp
  imagelist_win.cpp
  print_win.cpp
  access_win.cpp
)

if(WIN32)
  # WinMain cannot live in a DLL: hosts link this object library, which calls
  # AfxWinMain. An object library (not a static one) so that the linker keeps
  # WinMain even though only the C runtime's startup refers to it.
  add_library(appframe_main OBJECT winmain_win.cpp)
  target_link_libraries(appframe_main PUBLIC appframe)
endif()
