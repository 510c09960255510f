set(FRAME_PORTABLE AccessModel.cpp FailureLog.cpp ModuleStatics.cpp)
set(FRAME_WINDOWS AccessAnswer_win.cpp DllMain_win.cpp GdiplusSession_win.cpp)
