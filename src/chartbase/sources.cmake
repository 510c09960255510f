# What the charts share: the off-screen drawing context (also the button's),
# and what the graph, the pie and the progress bar tell screen readers: the
# descriptions everywhere, the answers through IAccessible on Windows.
set(CHARTBASE_PORTABLE ChartAccess.cpp)
set(CHARTBASE_WINDOWS MemDC_win.cpp AccessibleChart_win.cpp)
