# The shading engine: records, the palette bitmap, the face generators and the
# background-style registry. Only the blit and the face-colour fill touch the
# platform.
set(SHADE_PORTABLE
  ShadeProps.cpp
  PaletteDib.cpp
  Shade.cpp
  ShadeStyles.cpp
  ShadeRows.cpp
  BkgStyle.cpp
)
set(SHADE_WINDOWS
  PaletteDib_win.cpp
  Shade_win.cpp
)
