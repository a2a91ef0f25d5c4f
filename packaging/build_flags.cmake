# A release build is what the package ships: it takes the hardening flags Debian's own
# packages are built with (stack protector, fortified libc calls, read-only relocations bound
# at start-up), from the tool those packages take them from.
find_program(ZARNEL_DPKG_BUILDFLAGS dpkg-buildflags)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND ZARNEL_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${ZARNEL_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags
      OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type chooses the optimisation level (the benchmarks measure -O3) and whether
    # there is debug info (the package ships the binary stripped).
    list(FILTER flags EXCLUDE REGEX "^-O|^-g$")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
