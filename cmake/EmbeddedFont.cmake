# The fonts a build without fontconfig carries: subsets of MORAVIN_FONT_SOURCE (the Japanese
# face) with only the characters the game's sources hold, and of MORAVIN_PROPORTIONAL_FONT_SOURCE
# (its proportional sibling, for the English running text) with printable ASCII only
# (tools/font/font_subset.py, which needs Python's fontTools: Debian's fonttools package),
# renamed as their licence asks, with the licence text beside them. Sets MORAVIN_FONT_FILE, MORAVIN_PROPORTIONAL_FONT_FILE and
# MORAVIN_FONT_LICENCE.
find_program(MORAVIN_FONTTOOLS_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
execute_process(COMMAND ${MORAVIN_FONTTOOLS_PYTHON} -c "import fontTools"
                RESULT_VARIABLE fonttools_missing OUTPUT_QUIET ERROR_QUIET)
if(fonttools_missing)
  message(FATAL_ERROR "The embedded fonts need Python's fontTools (Debian: fonttools)")
endif()
foreach(source MORAVIN_FONT_SOURCE MORAVIN_PROPORTIONAL_FONT_SOURCE)
  if(NOT EXISTS ${${source}})
    message(FATAL_ERROR "No font at ${source}=${${source}} (Debian: fonts-ipafont-gothic)")
  endif()
endforeach()

set(MORAVIN_FONT_FILE ${CMAKE_BINARY_DIR}/font/moravin-gothic.ttf)
set(MORAVIN_PROPORTIONAL_FONT_FILE ${CMAKE_BINARY_DIR}/font/moravin-pgothic.ttf)
set(MORAVIN_FONT_LICENCE ${CMAKE_BINARY_DIR}/font/font-licence.txt)
file(GLOB_RECURSE font_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
add_custom_command(
  OUTPUT ${MORAVIN_FONT_FILE} ${MORAVIN_PROPORTIONAL_FONT_FILE} ${MORAVIN_FONT_LICENCE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/font
  COMMAND ${MORAVIN_FONTTOOLS_PYTHON} ${CMAKE_SOURCE_DIR}/tools/font/font_subset.py
          ${MORAVIN_FONT_LICENCE} ${CMAKE_SOURCE_DIR}/src
          --font ${MORAVIN_FONT_SOURCE} "Moravin Gothic" ${MORAVIN_FONT_FILE}
          --ascii-font ${MORAVIN_PROPORTIONAL_FONT_SOURCE} "Moravin PGothic"
          ${MORAVIN_PROPORTIONAL_FONT_FILE}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/font/font_subset.py ${MORAVIN_FONT_SOURCE}
          ${MORAVIN_PROPORTIONAL_FONT_SOURCE} ${font_texts}
  COMMENT "Cutting the fonts down to the characters of the game"
  VERBATIM)
