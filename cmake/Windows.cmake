# The Windows executable (scripts/build-windows.sh): moravin.exe, linked statically so that no
# DLL goes beside it, with its icon, version information and manifest built in.
enable_language(RC)
set(MORAVIN_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(MORAVIN_WINDOWS_ICON ${MORAVIN_WINDOWS_DIR}/moravin.ico)
set(MORAVIN_WINDOWS_MANIFEST ${MORAVIN_WINDOWS_DIR}/moravin.exe.manifest)
# Windows numbers versions in four parts: 1.0.0 is 1.0.0.0.
set(MORAVIN_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
string(REPLACE "." "," MORAVIN_RC_VERSION ${MORAVIN_FILE_VERSION})

# The icon is painted by the host's assetgen, with the painter of the window icon.
add_custom_command(
  OUTPUT ${MORAVIN_WINDOWS_ICON}
  COMMAND ${MORAVIN_HOST_ASSETGEN} --windows-icon ${MORAVIN_WINDOWS_ICON}
  DEPENDS ${MORAVIN_HOST_ASSETGEN}
  COMMENT "Painting the Windows icon"
  VERBATIM)
configure_file(${CMAKE_SOURCE_DIR}/windows/moravin.exe.manifest ${MORAVIN_WINDOWS_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/windows/moravin.rc.in ${MORAVIN_WINDOWS_DIR}/moravin.rc @ONLY)
target_sources(moravin PRIVATE ${MORAVIN_WINDOWS_DIR}/moravin.rc)
set_source_files_properties(${MORAVIN_WINDOWS_DIR}/moravin.rc PROPERTIES
  OBJECT_DEPENDS "${MORAVIN_WINDOWS_ICON};${MORAVIN_WINDOWS_MANIFEST}")

# A program of the graphical subsystem: started from Explorer, no console window opens. Started
# from a console, it writes to that console (AttachToParentConsole).
target_link_options(moravin PRIVATE -mwindows)

# The portable package: the executable, the README as text and the licences, ours and the
# font's, in one zip that runs wherever it is unpacked.
set(MORAVIN_ZIP ${CMAKE_BINARY_DIR}/moravin-${PROJECT_VERSION}-windows-x64.zip)
set(MORAVIN_ZIP_DIR ${CMAKE_BINARY_DIR}/zip)
set(font_licence ${CMAKE_BINARY_DIR}/font/font-licence.txt)  # cmake/EmbeddedFont.cmake
add_custom_command(
  OUTPUT ${MORAVIN_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${MORAVIN_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MORAVIN_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:moravin> ${MORAVIN_ZIP_DIR}/moravin.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${MORAVIN_ZIP_DIR}/README.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${MORAVIN_ZIP_DIR}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${font_licence} ${MORAVIN_ZIP_DIR}/font-licence.txt
  COMMAND ${CMAKE_COMMAND} -E chdir ${MORAVIN_ZIP_DIR} ${CMAKE_COMMAND} -E tar cf ${MORAVIN_ZIP}
          --format=zip moravin.exe README.txt LICENSE.txt font-licence.txt
  DEPENDS moravin ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${font_licence}
  COMMENT "Packing ${MORAVIN_ZIP}"
  VERBATIM)
add_custom_target(windows-zip ALL DEPENDS ${MORAVIN_ZIP})
