# Charts: CMemDC (Windows only), then each control's files.
set(CHARTS_PORTABLE "")
set(CHARTS_WINDOWS MemDC_win.cpp)
# The line graph: its data, scaling and layout everywhere; the window, its
# painting and its commands on Windows.
list(APPEND CHARTS_PORTABLE GraphData.cpp GraphScale.cpp GraphLayout.cpp)
list(APPEND CHARTS_WINDOWS GraphCtrl_win.cpp GraphCommands_win.cpp GraphPaint_win.cpp)
# The pie chart: its model and layout everywhere; its window, drawing and
# printer on Windows.
list(APPEND CHARTS_PORTABLE PieLayout.cpp PieSlices.cpp)
list(APPEND CHARTS_WINDOWS PieCtrl_win.cpp PieDraw_win.cpp)
# The gradient progress bar: its arithmetic and picture everywhere, the
# window on Windows.
list(APPEND CHARTS_PORTABLE GradientProgress.cpp)
list(APPEND CHARTS_WINDOWS GradientProgressCtrl_win.cpp)
# What the charts tell screen readers: the descriptions everywhere, the
# answers through IAccessible on Windows.
list(APPEND CHARTS_PORTABLE ChartAccess.cpp)
list(APPEND CHARTS_WINDOWS AccessibleChart_win.cpp)
