set(GRAPHICS_PORTABLE ImageWrapperExts.cpp)
set(GRAPHICS_WINDOWS "")
# GraphicsUtils: colour arithmetic and the drawing computations everywhere;
# the device side of drawing, regions, image lists and cursors on Windows.
list(APPEND GRAPHICS_PORTABLE GraphicsUtils.cpp GraphicsDraw.cpp)
list(APPEND GRAPHICS_WINDOWS GraphicsUtils_win.cpp RegionFromBitmap_win.cpp WindowToClipboard_win.cpp)
# Image files, thumbnails and the image holder: the choices everywhere, GDI+
# and the clipboard on Windows.
list(APPEND GRAPHICS_PORTABLE ImagePlan.cpp ImageHeader.cpp)
list(APPEND GRAPHICS_WINDOWS ImageFiles_win.cpp Thumbnail_win.cpp ImageWrapper_win.cpp)
