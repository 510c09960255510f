# The line graph: its data, scaling and layout everywhere; the window, its
# painting and its commands on Windows.
set(GRAPH_PORTABLE GraphData.cpp GraphScale.cpp GraphLayout.cpp)
set(GRAPH_WINDOWS GraphCtrl_win.cpp GraphCommands_win.cpp GraphPaint_win.cpp)
