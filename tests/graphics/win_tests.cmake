# The device side of GraphicsUtils under Wine.
if(WIN32)
  qor_add_test(graphics_win_tests WINDOWS_ONLY
    SOURCES draw_win_test.cpp region_win_test.cpp window_clipboard_win_test.cpp res/graphics_test_win.rc
    LINK qor032)
endif()
