# Face generation against memset of the same bytes (native build, Google
# Benchmark).
if(NOT WIN32)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_executable(shade_bench ${CMAKE_CURRENT_LIST_DIR}/shade_bench.cpp)
    target_link_libraries(shade_bench PRIVATE qor032 benchmark::benchmark)
  endif()
endif()
