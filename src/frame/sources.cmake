set(FRAME_PORTABLE FailureLog.cpp ModuleStatics.cpp)
set(FRAME_WINDOWS DllMain_win.cpp GdiplusSession_win.cpp)
