# The device side of GraphicsUtils under Wine.
if(WIN32)
  qor_add_test(graphics_win_tests WINDOWS_ONLY
    SOURCES wuline_win_test.cpp text_wire_win_test.cpp region_win_test.cpp imagelist_bitmap_win_test.cpp
            cursor_win_test.cpp res/graphics_test_win.rc
    LINK qor032)
endif()
