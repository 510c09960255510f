# Charts: CMemDC so far, Windows only.
set(CHARTS_PORTABLE "")
set(CHARTS_WINDOWS MemDC_win.cpp)
# The gradient progress bar: its arithmetic and picture everywhere, the
# window on Windows.
list(APPEND CHARTS_PORTABLE GradientProgress.cpp)
list(APPEND CHARTS_WINDOWS GradientProgressCtrl_win.cpp)
