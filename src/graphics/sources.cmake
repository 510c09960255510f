set(GRAPHICS_PORTABLE ImageWrapperExts.cpp)
set(GRAPHICS_WINDOWS "")
