# platform-dump.exe under wine against what the host itself says: wine reads memory, processor,
# host name and disk space from the host, so the Win32 provider must report them unchanged.
#   cmake -DDUMP=platform-dump.exe -DRUNNER=tools/wine/wineprefix.sh -DHOST_CXX=g++
#         -DWORK_DIR=<scratch folder> -P platform_dump_facts.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${RUNNER} run ${DUMP} OUTPUT_VARIABLE dump RESULT_VARIABLE status
                ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "platform-dump failed: ${status}")
endif()

set(failures 0)
macro(expect_equal what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(SEND_ERROR "${what}: dump says '${actual}', the host says '${expected}'")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${what}: ${actual}")
  endif()
endmacro()
macro(expect_one_of what actual first second)
  if(NOT "${actual}" STREQUAL "${first}" AND NOT "${actual}" STREQUAL "${second}")
    message(SEND_ERROR "${what}: dump says '${actual}', the host says '${first}'")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${what}: ${actual}")
  endif()
endmacro()

# Memory: MemTotal of /proc/meminfo, in bytes.
file(STRINGS /proc/meminfo mem_total REGEX "^MemTotal:")
string(REGEX REPLACE "^MemTotal: *([0-9]+) kB$" "\\1" mem_total_kb "${mem_total}")
math(EXPR mem_total_bytes "${mem_total_kb} * 1024")
# Wine 8 counts physical pages from page 1 and reports one 4 KiB page less than MemTotal.
math(EXPR wine_total_bytes "${mem_total_bytes} - 4096")
string(JSON total_phys GET "${dump}" memory totalPhys)
expect_one_of("total physical memory" "${total_phys}" "${mem_total_bytes}" "${wine_total_bytes}")

# Computer name: the first label of the host name, upper-cased (an ASCII host name; wine turns
# other characters into '_').
file(READ /proc/sys/kernel/hostname host_name)
string(STRIP "${host_name}" host_name)
string(REGEX REPLACE "\\..*$" "" host_label "${host_name}")
string(JSON computer_name GET "${dump}" names 0 text)
if(host_label MATCHES "^[A-Za-z0-9-]+$")
  string(TOUPPER "${host_label}" host_upper)
  expect_equal("computer name" "${computer_name}" "${host_upper}")
else()
  message(STATUS "computer name not compared: host name '${host_label}' is not ASCII")
endif()
string(JSON dns_host GET "${dump}" names 2 text)
expect_equal("DNS host name" "${dns_host}" "${host_label}")

# Processor: the host's model name, or the CPUID brand string wine reads where the kernel
# shows another name (some virtual machines); hosts without a model name have nothing to compare.
file(STRINGS /proc/cpuinfo model_names REGEX "^model name")
if(model_names)
  list(GET model_names 0 model_name)
  string(REGEX REPLACE "^model name[ \t]*: *" "" model_name "${model_name}")
  string(REGEX REPLACE "[ \t]+" " " model_name "${model_name}")
  string(STRIP "${model_name}" model_name)
  execute_process(COMMAND ${HOST_CXX} -o ${WORK_DIR}/cpuid_brand
                          ${CMAKE_CURRENT_LIST_DIR}/cpuid_brand.cpp RESULT_VARIABLE built)
  set(brand "${model_name}")
  if(built EQUAL 0)
    execute_process(COMMAND ${WORK_DIR}/cpuid_brand OUTPUT_VARIABLE brand
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(REGEX REPLACE "[ \t]+" " " brand "${brand}")
    string(STRIP "${brand}" brand)
  endif()
  string(JSON wmi_count LENGTH "${dump}" wmi)
  math(EXPR last "${wmi_count} - 1")
  foreach(i RANGE ${last})
    string(JSON class GET "${dump}" wmi ${i} call)
    if(class STREQUAL "Win32_Processor")
      string(JSON processor_name GET "${dump}" wmi ${i} instances 0 Name)
      string(STRIP "${processor_name}" processor_name)
      expect_one_of("processor name" "${processor_name}" "${model_name}" "${brand}")
    endif()
  endforeach()
endif()

# Drive c: is the prefix's drive_c folder: a fixed disk with the host file system's size.
execute_process(COMMAND ${RUNNER} path OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND df -B1 --output=size ${prefix}/drive_c OUTPUT_VARIABLE df_out)
string(REGEX MATCH "[0-9]+[ \t\n]*$" df_size "${df_out}")
string(STRIP "${df_size}" df_size)
string(JSON drive_count LENGTH "${dump}" drives entries)
set(found_c FALSE)
math(EXPR last "${drive_count} - 1")
foreach(i RANGE ${last})
  string(JSON entry GET "${dump}" drives entries ${i} entry)
  if(entry STREQUAL "c:")
    set(found_c TRUE)
    string(JSON drive_type GET "${dump}" drives entries ${i} type result)
    expect_equal("type of c:" "${drive_type}" "3")
    string(JSON total_bytes GET "${dump}" drives entries ${i} space totalBytes)
    expect_equal("size of c:" "${total_bytes}" "${df_size}")
  endif()
endforeach()
if(NOT found_c)
  message(SEND_ERROR "no drive c: in the dump")
  math(EXPR failures "${failures} + 1")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} fact(s) differ from the host")
endif()
