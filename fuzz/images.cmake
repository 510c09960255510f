# The image header reader, which sees every image file before the decoder.
qor_add_fuzzer(fuzz_image_header SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_header_fuzz.cpp LINK qor032)
