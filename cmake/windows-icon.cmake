# The program's icon inside tarvex.exe. Explorer shows an exe's first icon, the installer's
# Start-menu shortcut takes its icon from the exe, and freeglut gives its window class the icon
# resource named GLUT_ICON: one resource under that name serves all three.
# The .ico is drawn at build time from packaging/tarvex.svg, the desktop entry's icon on Linux,
# in the sizes Windows picks from: menus and title bars, Explorer's icons, its large views.
find_program(TARVEX_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(TARVEX_ICOTOOL icotool REQUIRED)

set(TARVEX_ICON_BITMAP_SIZES 16 32 48)   # pixels a side, stored as bitmaps (every Windows reads them)
set(TARVEX_ICON_PNG_SIZE 256)            # pixels a side, stored as PNG (Vista and later)

set(icon_svg ${CMAKE_SOURCE_DIR}/packaging/tarvex.svg)
set(icon_dir ${CMAKE_BINARY_DIR}/icon)
set(icon_ico ${icon_dir}/tarvex.ico)
set(icon_bitmaps)
foreach(size ${TARVEX_ICON_BITMAP_SIZES} ${TARVEX_ICON_PNG_SIZE})
  set(png ${icon_dir}/tarvex-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND ${TARVEX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${icon_svg}
    DEPENDS ${icon_svg} VERBATIM)
  if(size EQUAL TARVEX_ICON_PNG_SIZE)
    set(icon_png ${png})
  else()
    list(APPEND icon_bitmaps ${png})
  endif()
endforeach()
# Written under another name and renamed: a failed icotool leaves no .ico that looks built.
add_custom_command(OUTPUT ${icon_ico}
  COMMAND ${TARVEX_ICOTOOL} -c -o ${icon_ico}.part ${icon_bitmaps} -r ${icon_png}
  COMMAND ${CMAKE_COMMAND} -E rename ${icon_ico}.part ${icon_ico}
  DEPENDS ${icon_bitmaps} ${icon_png} VERBATIM)

enable_language(RC)
set(TARVEX_ICON_FILE ${icon_ico})
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/tarvex.rc.in ${icon_dir}/tarvex.rc @ONLY)
set_source_files_properties(${icon_dir}/tarvex.rc PROPERTIES OBJECT_DEPENDS ${icon_ico})
target_sources(tarvex PRIVATE ${icon_dir}/tarvex.rc ${icon_ico})
