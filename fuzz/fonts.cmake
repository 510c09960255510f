# The font record, FontDef and FontDefMgr loaders.
qor_add_fuzzer(fuzz_font_record SOURCES ${CMAKE_CURRENT_LIST_DIR}/font_record_fuzz.cpp LINK qor032)
qor_add_fuzzer(fuzz_fontdef SOURCES ${CMAKE_CURRENT_LIST_DIR}/fontdef_fuzz.cpp LINK qor032)
qor_add_fuzzer(fuzz_fontdefmgr SOURCES ${CMAKE_CURRENT_LIST_DIR}/fontdefmgr_fuzz.cpp LINK qor032)
