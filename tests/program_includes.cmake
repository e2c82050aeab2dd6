# The house rule for the program's code, kept by the test run rather than by
# memory: a file in a program folder includes, of the framework, only
# platform/framework.h; besides that only the program's own headers and the
# C++ standard library (a bare lowercase name: <vector>, <cstdint>), never a
# header of Qt, X11, a backend or another library.
#
# Program folders are every top-level folder but the ones listed here, so that
# a new program folder is covered the day it is made.
#   cmake -DROOT=<source dir> -P program_includes.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source dir> -P program_includes.cmake")
endif()
set(not_program platform tests bench resources scripts)

file(GLOB entries RELATIVE "${ROOT}" "${ROOT}/*")
set(program_folders "")
foreach(entry IN LISTS entries)
  if(NOT IS_DIRECTORY "${ROOT}/${entry}" OR entry IN_LIST not_program)
    continue()
  endif()
  # Hidden folders (.git, .ci) and build trees (build/, build-asan/, any
  # folder that holds a CMake cache) are not code.
  if(entry MATCHES "^\\." OR entry MATCHES "^build(-.*)?$" OR EXISTS "${ROOT}/${entry}/CMakeCache.txt")
    continue()
  endif()
  list(APPEND program_folders "${entry}")
endforeach()
if(NOT "app" IN_LIST program_folders)
  message(FATAL_ERROR "no program folder found under ${ROOT} (looked for app/ among: ${entries})")
endif()

set(violations "")
set(checked 0)
foreach(folder IN LISTS program_folders)
  file(GLOB_RECURSE files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.hpp" "${ROOT}/${folder}/*.cpp"
       "${ROOT}/${folder}/*.cc")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH shown "${ROOT}" "${file}")
    get_filename_component(here "${file}" DIRECTORY)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      set(ok FALSE)
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
        # The standard library's headers have bare lowercase names.
        if(CMAKE_MATCH_1 MATCHES "^[a-z_]+$")
          set(ok TRUE)
        endif()
      elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
        set(path "${CMAKE_MATCH_1}")
        if(path STREQUAL "platform/framework.h")
          set(ok TRUE)
        elseif(path MATCHES "(^|/)\\.\\.(/|$)")
          # No way out of the folder through "..".
        elseif(path MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST program_folders AND EXISTS "${ROOT}/${path}")
          set(ok TRUE)
        elseif(NOT path MATCHES "/" AND EXISTS "${here}/${path}")
          set(ok TRUE)  # a header beside the file
        endif()
      endif()
      if(NOT ok)
        string(STRIP "${line}" line)
        list(APPEND violations "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no source file found in the program folders: ${program_folders}")
endif()
if(violations)
  list(JOIN violations "\n  " listed)
  message(FATAL_ERROR "Program code includes only platform/framework.h of the framework, its own headers "
                      "and the C++ standard library; these includes break that rule:\n  ${listed}")
endif()
message(STATUS "${checked} files in ${program_folders}: includes keep to the rule")
