# The gradient progress bar: its arithmetic and picture everywhere, the
# window on Windows.
set(PROGRESS_PORTABLE GradientProgress.cpp)
set(PROGRESS_WINDOWS GradientProgressCtrl_win.cpp)
