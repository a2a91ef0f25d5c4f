cmake_minimum_required(VERSION 3.25)

# Fails when an include runs against the floor plan: a layer naming a header of a layer above
# or beside it, or the contracts and the logic naming anything but the C++ standard library.
#   cmake -DSOURCE_DIR=<tree> -P check_includes.cmake
# Folders not listed (ui/, tools/, tests/, bench/) stand on top and may include anything.

# Folder -> the folders its quoted includes may name (its own is always allowed).
set(allowed_window "")
set(allowed_platform "")
set(allowed_platform/fake "platform")
set(allowed_platform/linux "platform")
set(allowed_platform/win32 "platform")
set(allowed_probes "window;platform")
set(allowed_disk "window;platform")
set(allowed_memory "window;platform")
set(allowed_app "window;platform;probes;disk;memory")
# Folders whose angle-bracket includes must be standard C++ headers (<string>, <cstdint>).
set(portable_folders window platform probes disk memory app)

set(violations "")
foreach(folder window platform platform/fake platform/linux platform/win32 probes disk memory app)
  if(folder STREQUAL "platform")
    file(GLOB sources ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
  else()
    file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  endif()
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"([^\"]+)\"")
        set(header ${CMAKE_MATCH_1})
        get_filename_component(header_folder ${header} DIRECTORY)
        if(header_folder STREQUAL folder)
          continue()
        endif()
        set(ok FALSE)
        foreach(lower IN LISTS allowed_${folder})
          if(header_folder STREQUAL lower)
            set(ok TRUE)
          endif()
        endforeach()
        if(NOT ok)
          list(APPEND violations "${source}: ${folder} may not include \"${header}\"")
        endif()
      elseif(line MATCHES "<([^>]+)>" AND folder IN_LIST portable_folders)
        if(NOT CMAKE_MATCH_1 MATCHES "^[a-z_]+$")
          list(APPEND violations "${source}: ${folder} may not include <${CMAKE_MATCH_1}>")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  # Indented, so CMake prints each line whole: it wraps plain message text at a width that
  # depends on how long the paths are.
  list(JOIN violations "\n  " report)
  message(FATAL_ERROR "include rules broken:\n  ${report}")
endif()
message(STATUS "include rules hold")
