# Fuzz targets of the library's archive loaders.
qor_add_fuzzer(fuzz_shade_loaders SOURCES shade_loaders_fuzz.cpp LINK qor032)
include(${CMAKE_CURRENT_LIST_DIR}/fonts.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/images.cmake)
