# Installs the build into a scratch DESTDIR, as the package build does, and checks that exactly
# the shipped files arrive and that they name one another correctly.
set(prefix usr)
set(expected
    ${prefix}/bin/zarnel
    ${prefix}/share/applications/zarnel.desktop
    ${prefix}/share/doc/zarnel/copyright
    ${prefix}/share/icons/hicolor/16x16/apps/zarnel.png
    ${prefix}/share/icons/hicolor/scalable/apps/zarnel.svg
    ${prefix}/share/metainfo/io.github.zarnel.metainfo.xml)

file(REMOVE_RECURSE ${STAGE_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE_DIR}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /${prefix}
  RESULT_VARIABLE result
  OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " got "${installed}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "installed:\n  ${got}\nexpected:\n  ${want}")
endif()

set(root ${STAGE_DIR}/${prefix})
execute_process(COMMAND test -x ${root}/bin/zarnel RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "bin/zarnel is not executable")
endif()

# A PNG's IHDR chunk holds the width and height as 32-bit big-endian words at byte 16.
set(png_size_offset 16)
set(png_size_bytes 8)
file(READ ${root}/share/icons/hicolor/16x16/apps/zarnel.png png_size
     OFFSET ${png_size_offset} LIMIT ${png_size_bytes} HEX)
if(NOT png_size STREQUAL "0000001000000010")
  message(FATAL_ERROR "the 16x16 icon is not 16 by 16: ${png_size}")
endif()

function(first_match file regex out)
  file(STRINGS ${file} lines REGEX "${regex}")
  if(NOT lines)
    message(FATAL_ERROR "${file} has no line matching ${regex}")
  endif()
  list(GET lines 0 line)
  string(REGEX MATCH "${regex}" unused "${line}")
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

set(desktop ${root}/share/applications/zarnel.desktop)
first_match(${desktop} "^Exec=([^ ]+)" exec)
if(NOT EXISTS ${root}/bin/${exec})
  message(FATAL_ERROR "Exec=${exec} is not an installed program")
endif()
first_match(${desktop} "^Icon=(.+)$" icon)
if(NOT EXISTS ${root}/share/icons/hicolor/scalable/apps/${icon}.svg)
  message(FATAL_ERROR "Icon=${icon} has no scalable icon")
endif()

set(metainfo ${root}/share/metainfo/io.github.zarnel.metainfo.xml)
first_match(${metainfo} "<launchable type=\"desktop-id\">([^<]+)</launchable>" launchable)
if(NOT EXISTS ${root}/share/applications/${launchable})
  message(FATAL_ERROR "launchable ${launchable} is not an installed desktop entry")
endif()
first_match(${metainfo} "<binary>([^<]+)</binary>" binary)
if(NOT EXISTS ${root}/bin/${binary})
  message(FATAL_ERROR "provided binary ${binary} is not installed")
endif()
# Releases are listed newest first; the newest is the version being built.
first_match(${metainfo} "<release version=\"([^\"]+)\"" release)
if(NOT release STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "newest release ${release} is not the project version ${PROJECT_VERSION}")
endif()
