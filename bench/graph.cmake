# The line graph's rebuild against one Polyline of its points, and its paint
# against one BitBlt (Windows build, a small timing harness run under Wine).
if(WIN32)
  add_executable(graph_bench ${CMAKE_CURRENT_LIST_DIR}/graph_bench_win.cpp)
  target_link_libraries(graph_bench PRIVATE qor032)
  # The print is timed with the dialog answered through the framework's seam.
  target_compile_definitions(graph_bench PRIVATE APPFRAME_EXTENSIONS)
endif()
