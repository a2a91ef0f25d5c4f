# Installs the build into a scratch DESTDIR, as the package build does, and checks that exactly
# the shipped files arrive and that they name one another correctly.
set(prefix usr)
set(icon_sizes 128 16 22 24 256 32 48 64)  # in the order a sorted listing has them
set(expected
    ${prefix}/bin/zarnel
    ${prefix}/share/applications/io.github.zarnel.desktop
    ${prefix}/share/doc/zarnel/changelog.gz
    ${prefix}/share/doc/zarnel/copyright)
foreach(size IN LISTS icon_sizes)
  list(APPEND expected ${prefix}/share/icons/hicolor/${size}x${size}/apps/zarnel.png)
endforeach()
list(APPEND expected
    ${prefix}/share/icons/hicolor/scalable/apps/zarnel.svg
    ${prefix}/share/man/man1/zarnel.1.gz
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

# GIO and the libraries it pulls in are loaded when a desktop's settings are first read; linked,
# they cost every start-up their loading.
find_program(READELF readelf REQUIRED)
execute_process(COMMAND ${READELF} --dynamic ${root}/bin/zarnel OUTPUT_VARIABLE dynamic
                COMMAND_ERROR_IS_FATAL ANY)
if(dynamic MATCHES "NEEDED[^\n]*\\[(libgio[^]]*)\\]")
  message(FATAL_ERROR "bin/zarnel links ${CMAKE_MATCH_1}")
endif()

# A PNG's IHDR chunk holds the width and height as 32-bit big-endian words at byte 16.
set(png_size_offset 16)
set(png_size_bytes 8)
foreach(size IN LISTS icon_sizes)
  set(png ${root}/share/icons/hicolor/${size}x${size}/apps/zarnel.png)
  file(READ ${png} png_size OFFSET ${png_size_offset} LIMIT ${png_size_bytes} HEX)
  math(EXPR side "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" side ${side})
  string(LENGTH ${side} digits)
  math(EXPR padding "8 - ${digits}")
  string(REPEAT "0" ${padding} zeros)
  if(NOT png_size STREQUAL "${zeros}${side}${zeros}${side}")
    message(FATAL_ERROR "the ${size}x${size} icon is ${png_size} (width, height in hex)")
  endif()
endforeach()

# Both come compressed, and the gzip header carries no time stamp (bytes 4 to 7).
foreach(gz share/man/man1/zarnel.1.gz share/doc/zarnel/changelog.gz)
  file(READ ${root}/${gz} header LIMIT 8 HEX)
  if(NOT header MATCHES "^1f8b08..00000000$")
    message(FATAL_ERROR "${gz} is not a gzip file without a time stamp: ${header}")
  endif()
endforeach()

function(first_match file regex out)
  file(STRINGS ${file} lines REGEX "${regex}")
  if(NOT lines)
    message(FATAL_ERROR "${file} has no line matching ${regex}")
  endif()
  list(GET lines 0 line)
  string(REGEX MATCH "${regex}" unused "${line}")
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

set(desktop ${root}/share/applications/io.github.zarnel.desktop)
first_match(${desktop} "^Exec=([^ ]+)" exec)
if(NOT EXISTS ${root}/bin/${exec})
  message(FATAL_ERROR "Exec=${exec} is not an installed program")
endif()
first_match(${desktop} "^Icon=(.+)$" icon)
if(NOT EXISTS ${root}/share/icons/hicolor/scalable/apps/${icon}.svg)
  message(FATAL_ERROR "Icon=${icon} has no scalable icon")
endif()
# A software centre finds the metainfo by the desktop entry's name: they share the id.
first_match(${root}/share/metainfo/io.github.zarnel.metainfo.xml "<id>([^<]+)</id>" id)
if(NOT EXISTS ${root}/share/applications/${id}.desktop)
  message(FATAL_ERROR "the AppStream id ${id} names no installed desktop entry")
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
