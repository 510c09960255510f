# The image holder's redraw against its first draw of a large photo, and the
# thumbnail writer (Windows build, a small timing harness run under Wine).
if(WIN32)
  add_executable(image_bench ${CMAKE_CURRENT_LIST_DIR}/image_bench_win.cpp)
  target_link_libraries(image_bench PRIVATE qor032 gdiplus)
endif()
