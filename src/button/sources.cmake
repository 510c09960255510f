# Sources of src/button. QorIcon_host.cpp stands in for the module lookup of
# QorIcon_win.cpp where there is no Windows module.
set(BUTTON_PORTABLE QorIcon.cpp)
set(BUTTON_WINDOWS QorIcon_win.cpp)
if(NOT WIN32)
  list(APPEND BUTTON_PORTABLE QorIcon_host.cpp)
endif()
