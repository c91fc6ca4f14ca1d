# The include check against a small tree: it passes the includes the map allows and fails on
# each kind of wrong one, naming the file, the include and the rule.
#   cmake -DCHECK=<CheckIncludes.cmake> -DWORK=<scratch folder> -P wrong_includes.cmake
function(write_tree)
  file(REMOVE_RECURSE ${WORK})
  foreach(pair IN LISTS ARGN)
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 path)
    list(GET pair 1 header)
    file(WRITE ${WORK}/${path} "// a file\n#include \"${header}\"\n")
  endforeach()
endfunction()

function(check expect_pass pattern)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK} -P ${CHECK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expect_pass AND NOT status EQUAL 0)
    message(FATAL_ERROR "The check failed on allowed includes:\n${out}")
  endif()
  if(NOT expect_pass AND status EQUAL 0)
    message(FATAL_ERROR "The check passed a wrong include:\n${out}")
  endif()
  if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "The check's output does not match \"${pattern}\":\n${out}")
  endif()
endfunction()

# Downward, within a folder, within the system layer, the entry point on SDL, assetgen on system.
write_tree(src/scenes/a.cpp=game/map.h src/scenes/b.h=scenes/a.h src/automation/c.cpp=app/x.h
           src/system/sdl/d.cpp=system/web/e.h src/system/web/e.h=system/f.h
           src/main/main.cpp=system/sdl/g.h tools/assetgen/h.cpp=system/dib.h
           tools/assetgen/i.cpp=art/text.h)
check(TRUE "8 files checked")

write_tree(src/media/sprite.h=scenes/scene.h)
check(FALSE "src/media/sprite.h: #include \"scenes/scene.h\": media may not include scenes; it may include system, save, media")

write_tree(src/game/map.cpp=system/sdl/sdl_window.h)
check(FALSE "game may not include system/sdl")

write_tree(src/system/web/browser.h=system/sdl/sdl_platform.h)
check(FALSE "system/web may not include system/sdl; it may include system, system/web")

write_tree(src/system/file_access.cpp=system/posix/posix_file_access.h)
check(FALSE "system may not include system/posix")

write_tree(tools/assetgen/rects.cpp=scenes/title.h)
check(FALSE "tools/assetgen may not include scenes")

write_tree(src/scenes/title.cpp=../app/moravin.h)
check(FALSE "reach other folders from src/, not through \\.\\.")

write_tree(src/newfolder/x.cpp=system/dib.h)
check(FALSE "the folder newfolder is not in the map")
