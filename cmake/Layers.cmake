# The map of the game's folders: which folder may include which. src/README.md describes each
# folder; the build (CMakeLists.txt) and the include check (cmake/CheckIncludes.cmake) read the
# map from here.

# The layers, bottom to top. A layer's files may include its own headers and those of the
# layers below it, never those of a layer above.
set(MORAVIN_LAYERS system save media motion game replay scenes app automation)

# Inside the system layer, one folder for the code of each system and one for SDL's. Only they
# include the headers of a system or of SDL; the layers above see the interfaces of `system`.
set(MORAVIN_SYSTEM_FOLDERS system/posix system/windows system/web system/sdl system/net)
set(MORAVIN_INCLUDES_system/posix system system/posix)
set(MORAVIN_INCLUDES_system/windows system system/windows)
set(MORAVIN_INCLUDES_system/web system system/web)
set(MORAVIN_INCLUDES_system/sdl system system/posix system/windows system/web system/sdl)
# The HTTP client of the world ranking, over the system's transport (libcurl, WinHTTP).
set(MORAVIN_INCLUDES_system/net system system/net)
# The entry point puts everything together.
set(MORAVIN_INCLUDES_main ${MORAVIN_LAYERS} ${MORAVIN_SYSTEM_FOLDERS} main)
# The ranking server, a program of its own beside the game: it may use the game's rules to check
# a run and its replay verifier, never a scene, the shell or SDL.
set(MORAVIN_INCLUDES_server system save media motion game replay server)
# The build-time generator of the pictures and sounds uses the system layer's decoders and
# resource table.
set(MORAVIN_INCLUDES_tools/assetgen system)

# The folders (relative to src/) that files of `folder` may include, in `out`; empty when the
# folder is not in the map.
function(moravin_allowed_includes folder out)
  list(FIND MORAVIN_LAYERS ${folder} index)
  if(index GREATER_EQUAL 0)
    list(SUBLIST MORAVIN_LAYERS 0 ${index} allowed)
    list(APPEND allowed ${folder})
  else()
    set(allowed ${MORAVIN_INCLUDES_${folder}})
  endif()
  set(${out} ${allowed} PARENT_SCOPE)
endfunction()
