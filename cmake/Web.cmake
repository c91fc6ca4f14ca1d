# The WebAssembly build for the browser (emcmake cmake, see scripts/build-web.sh): the game as
# moravin.html with moravin.js and moravin.wasm, on our own page (web/shell.html).
set(MORAVIN_WEB_FLAGS
  # The libraries' ports would be downloaded: they come from scripts/build-deps.sh instead.
  -sUSE_SDL=0
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=64MB
  -sENVIRONMENT=web
  # The page starts the game on a click (browsers allow sound and full screen after one).
  -sINVOKE_RUN=0
  "-sEXPORTED_RUNTIME_METHODS=[FS,IDBFS,ENV,callMain,addRunDependency,removeRunDependency]"
  # Debian's emcc crashes in its HTML minifier.
  -sMINIFY_HTML=0
  -lidbfs.js
  --js-library ${CMAKE_SOURCE_DIR}/web/library.js
  --shell-file ${CMAKE_SOURCE_DIR}/web/shell.html)
target_link_options(moravin PRIVATE ${MORAVIN_WEB_FLAGS})
set_target_properties(moravin PROPERTIES SUFFIX .html LINK_DEPENDS "${CMAKE_SOURCE_DIR}/web/shell.html;${CMAKE_SOURCE_DIR}/web/library.js")
# The page shows the download's progress against the size of the module, known only now; the
# font's licence goes with the page.
add_custom_command(TARGET moravin POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DHTML=$<TARGET_FILE:moravin> -DWASM=$<TARGET_FILE_DIR:moravin>/moravin.wasm
          -P ${CMAKE_SOURCE_DIR}/cmake/WebPageSize.cmake
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/font/font-licence.txt $<TARGET_FILE_DIR:moravin>/font-licence.txt
  VERBATIM)
