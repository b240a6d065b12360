# The browser page: the model, the controls and the texts compiled to WebAssembly with
# emscripten, drawing with WebGL 2. One self-contained index.html (the wasm, the script and the
# texture inside it): Chromium refuses to fetch a .wasm beside a page opened from file://, and a
# single file goes to any static host as it is.
file(GLOB TARVEX_WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/web/*.cpp)
add_executable(tarvex_web ${TARVEX_WEB_SOURCES})
target_link_libraries(tarvex_web PRIVATE tarvex_controls tarvex_stills_texts)
set(TARVEX_WEB_SHELL ${CMAKE_SOURCE_DIR}/web/index.html)
set(TARVEX_WEB_TEXTURE ${CMAKE_SOURCE_DIR}/assets/textureAluminum.ppm)
set_target_properties(tarvex_web PROPERTIES
  OUTPUT_NAME index SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/page
  LINK_DEPENDS "${TARVEX_WEB_SHELL};${TARVEX_WEB_TEXTURE}")
target_link_options(tarvex_web PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  # Debian's emscripten 3.1.6: its HTML minifier crashes on any shell.
  -sMINIFY_HTML=0
  --shell-file ${TARVEX_WEB_SHELL}
  # The texture is read from its file name, as the desktop program reads it from its folder.
  "SHELL:--embed-file ${TARVEX_WEB_TEXTURE}@textureAluminum.ppm")
