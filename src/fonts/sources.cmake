# Fonts: the definitions, their collection and the logical-font helpers of
# GraphicsUtils. StockFont_host.cpp stands in for GDI's stock font where
# there is no GDI.
set(FONTS_PORTABLE LogFonts.cpp FontDef.cpp FontDefMgr.cpp)
set(FONTS_WINDOWS StockFont_win.cpp LogFonts_win.cpp FontDef_win.cpp)
if(NOT WIN32)
  list(APPEND FONTS_PORTABLE StockFont_host.cpp)
endif()
