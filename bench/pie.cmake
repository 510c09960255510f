# A paint of the pie chart against one BitBlt of its area (Windows build, a
# small timing harness run under Wine).
if(WIN32)
  add_executable(pie_bench ${CMAKE_CURRENT_LIST_DIR}/pie_bench_win.cpp)
  target_link_libraries(pie_bench PRIVATE qor032)
endif()
