# Charts: CMemDC so far, Windows only.
set(CHARTS_PORTABLE "")
set(CHARTS_WINDOWS MemDC_win.cpp)
