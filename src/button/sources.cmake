# Sources of src/button. QorIcon_host.cpp stands in for the module lookup of
# QorIcon_win.cpp where there is no Windows module. The shaded button's
# painter and input rules are portable; its window and drawing are not.
set(BUTTON_PORTABLE QorIcon.cpp ShadeButtonPaint.cpp ShadeButtonInput.cpp ShadeButtonAccess.cpp)
set(BUTTON_WINDOWS QorIcon_win.cpp ShadeButton_win.cpp ShadeButtonDraw_win.cpp ShadeButtonAccess_win.cpp)
if(NOT WIN32)
  list(APPEND BUTTON_PORTABLE QorIcon_host.cpp)
endif()
