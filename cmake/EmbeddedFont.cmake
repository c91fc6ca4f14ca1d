# The font a build without fontconfig carries: a subset of MORAVIN_FONT_SOURCE with only the
# characters the game's sources hold (tools/font/font_subset.py, which needs Python's fontTools:
# Debian's fonttools package), renamed as its licence asks, with the licence text beside it.
# Sets MORAVIN_FONT_FILE and MORAVIN_FONT_LICENCE.
find_program(MORAVIN_FONTTOOLS_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
execute_process(COMMAND ${MORAVIN_FONTTOOLS_PYTHON} -c "import fontTools"
                RESULT_VARIABLE fonttools_missing OUTPUT_QUIET ERROR_QUIET)
if(fonttools_missing)
  message(FATAL_ERROR "The embedded font needs Python's fontTools (Debian: fonttools)")
endif()
if(NOT EXISTS ${MORAVIN_FONT_SOURCE})
  message(FATAL_ERROR "No font at MORAVIN_FONT_SOURCE=${MORAVIN_FONT_SOURCE} "
                      "(Debian: fonts-ipafont-gothic)")
endif()

set(MORAVIN_FONT_FILE ${CMAKE_BINARY_DIR}/font/moravin-gothic.ttf)
set(MORAVIN_FONT_LICENCE ${CMAKE_BINARY_DIR}/font/font-licence.txt)
file(GLOB_RECURSE font_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
add_custom_command(
  OUTPUT ${MORAVIN_FONT_FILE} ${MORAVIN_FONT_LICENCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/font
  COMMAND ${MORAVIN_FONTTOOLS_PYTHON} ${CMAKE_SOURCE_DIR}/tools/font/font_subset.py
          ${MORAVIN_FONT_SOURCE} ${MORAVIN_FONT_FILE} ${MORAVIN_FONT_LICENCE} ${CMAKE_SOURCE_DIR}/src
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/font/font_subset.py ${MORAVIN_FONT_SOURCE} ${font_texts}
  COMMENT "Cutting the font down to the characters of the game"
  VERBATIM)
