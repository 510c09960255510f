# Charts: the graph's data, scaling and layout everywhere; the windows and
# their painting on Windows.
set(CHARTS_PORTABLE GraphData.cpp GraphScale.cpp GraphLayout.cpp)
set(CHARTS_WINDOWS MemDC_win.cpp GraphCtrl_win.cpp GraphCommands_win.cpp GraphPaint_win.cpp)
