# CreateRgnFromBitmap against the pixel-by-pixel scan it replaces (Windows
# build, a small timing harness run under Wine).
if(WIN32)
  add_executable(region_bench ${CMAKE_CURRENT_LIST_DIR}/region_bench_win.cpp)
  target_link_libraries(region_bench PRIVATE qor032)
endif()
