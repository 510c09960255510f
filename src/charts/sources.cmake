# Charts: CMemDC, and the pie chart (its model and layout portable, its
# window, drawing and printer Windows only).
set(CHARTS_PORTABLE PieLayout.cpp PieSlices.cpp)
set(CHARTS_WINDOWS MemDC_win.cpp PieCtrl_win.cpp PieDraw_win.cpp)
