# The probe links the library; the test does not, so that it can load and
# unload the library at will.
add_library(qor032_probe SHARED module_probe_win.cpp)
set_target_properties(qor032_probe PROPERTIES PREFIX "")
target_link_libraries(qor032_probe PRIVATE qor032)
qor_add_test(frame_win_tests SOURCES module_load_test_win.cpp LINK appframe WINDOWS_ONLY)
add_dependencies(frame_win_tests qor032_probe)
