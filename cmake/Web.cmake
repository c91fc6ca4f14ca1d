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
# The folder a host serves (site/, the target moravin-site): the code, the module and the files
# of resources fetched after it (all but the first scene's, and the music) under names that carry
# their hash, the page, its manifest and icons (painted by assetgen), the font's licence and the
# service worker that keeps them for offline play (web/make-site.mjs).
find_program(MORAVIN_NODE NAMES node nodejs REQUIRED)
set(MORAVIN_WEB_ICON_DIR ${CMAKE_BINARY_DIR}/web-icons)
set(MORAVIN_SITE_DIR ${CMAKE_BINARY_DIR}/site)
add_custom_command(
  OUTPUT ${MORAVIN_SITE_DIR}/sw.js
  COMMAND ${MORAVIN_HOST_ASSETGEN} --web-icons ${MORAVIN_WEB_ICON_DIR} 2a2140
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/font/font-licence.txt $<TARGET_FILE_DIR:moravin>/font-licence.txt
  COMMAND ${MORAVIN_NODE} ${CMAKE_SOURCE_DIR}/web/make-site.mjs --from $<TARGET_FILE_DIR:moravin>
          --icons ${MORAVIN_WEB_ICON_DIR} --version ${PROJECT_VERSION} --out ${MORAVIN_SITE_DIR}
          --resources ${CMAKE_BINARY_DIR}/assets
  DEPENDS moravin ${MORAVIN_HOST_ASSETGEN} ${CMAKE_SOURCE_DIR}/web/make-site.mjs
          ${CMAKE_SOURCE_DIR}/web/sw.js ${CMAKE_SOURCE_DIR}/web/manifest.webmanifest
  COMMENT "Making the site: versioned files, icons, manifest, service worker"
  VERBATIM)
add_custom_target(moravin-site ALL DEPENDS ${MORAVIN_SITE_DIR}/sw.js)

# The replay verifier alone, for node: the committed replays are verified by the very
# WebAssembly code of the page's rules (tests/web/replays.test.mjs).
add_executable(moravin_verify src/main/verify_main.cpp)
target_include_directories(moravin_verify PRIVATE src)
target_link_libraries(moravin_verify PRIVATE moravin_automation)
target_compile_options(moravin_verify PRIVATE ${MORAVIN_WARNINGS})
# The module is read and compiled before main runs (WASM_ASYNC_COMPILATION=0): node's own
# fetch, which emscripten would otherwise use, takes no file path.
target_link_options(moravin_verify PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1
                    -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0)
set_target_properties(moravin_verify PROPERTIES OUTPUT_NAME moravin-verify)
