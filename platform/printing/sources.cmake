# Sources of qor007.dll: the page arithmetic and the job description build
# everywhere; the printer itself is Windows only.
set(QOR007_PORTABLE
  PrintInfo.cpp
  PrintPages.cpp
)
set(QOR007_WINDOWS
  UIPrinter_win.cpp
)
