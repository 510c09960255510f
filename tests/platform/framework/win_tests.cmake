# The framework's Windows part, tested under Wine: message maps, windows,
# dialogs, drawing, GDI objects, the application object and extension modules.
if(WIN32)
  enable_language(RC)

  # An extension module with its own resources, loaded by the tests.
  add_library(fwtest_extdll SHARED ext/extdll_win.cpp ext/extdll_win.rc)
  set_target_properties(fwtest_extdll PROPERTIES PREFIX "")
  target_link_libraries(fwtest_extdll PRIVATE appframe)

  # A framework application whose WinMain comes from appframe_main.
  add_executable(fwtest_winmain_host WIN32 host/winmain_host_win.cpp)
  target_link_libraries(fwtest_winmain_host PRIVATE appframe appframe_main)
endif()

qor_add_test(framework_win_tests
  SOURCES msgmap_test_win.cpp wnd_test_win.cpp dialog_test_win.cpp gdi_test_win.cpp dc_test_win.cpp
          dllx_test_win.cpp app_test_win.cpp imagelist_test_win.cpp print_test_win.cpp access_test_win.cpp res/host_win.rc
  LINK appframe
  WINDOWS_ONLY)

if(WIN32)
  add_dependencies(framework_win_tests fwtest_extdll fwtest_winmain_host)
endif()
