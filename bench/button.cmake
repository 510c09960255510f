# One owner-draw paint of a shaded button against one BitBlt of the same area
# (Windows build, a small timing harness run under Wine).
if(WIN32)
  add_executable(button_bench ${CMAKE_CURRENT_LIST_DIR}/button_bench_win.cpp)
  target_link_libraries(button_bench PRIVATE qor032)
endif()
