# The Windows zip holds the program, its read-me, and the licences of the code it carries: its
# own and the linked-in runtime's, whose notices must go with every copy.
#   cmake -DZIP=zarnel-<version>-win64.zip -DWORK_DIR=folder -P windows_zip_contents.cmake
set(unpacked ${WORK_DIR}/zip-contents)
file(REMOVE_RECURSE ${unpacked})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${unpacked})
foreach(name zarnel.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)
  if(NOT EXISTS ${unpacked}/${name})
    message(FATAL_ERROR "the zip lacks ${name}")
  endif()
endforeach()
# Read as hex: a text read takes the carriage returns away.
file(READ ${unpacked}/LICENSE.txt licence HEX)
string(HEX "MIT License\r\n" windows_first_line)
if(NOT licence MATCHES "^${windows_first_line}")
  message(FATAL_ERROR "LICENSE.txt is not the project's licence with Windows line ends")
endif()
file(READ ${unpacked}/THIRD-PARTY-NOTICES.txt notices)
foreach(part "mingw-w64" "winpthreads" "ZPL-2.1" "Lucent")
  string(FIND "${notices}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "THIRD-PARTY-NOTICES.txt lacks the ${part} notice")
  endif()
endforeach()
