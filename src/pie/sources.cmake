# The pie chart: its model and layout everywhere; its window, drawing and
# printer on Windows.
set(PIE_PORTABLE PieLayout.cpp PieSlices.cpp)
set(PIE_WINDOWS PieCtrl_win.cpp PieDraw_win.cpp)
