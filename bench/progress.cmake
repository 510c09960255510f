# CGradientProgressCtrl::Step with its paint against one BitBlt of the bar's
# area (Windows build, a small timing harness run under Wine).
if(WIN32)
  add_executable(progress_bench ${CMAKE_CURRENT_LIST_DIR}/progress_bench_win.cpp)
  target_include_directories(progress_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/progress)
  target_link_libraries(progress_bench PRIVATE qor032)
endif()
