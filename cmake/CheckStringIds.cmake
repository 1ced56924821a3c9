# Every string-table number the code asks for, and every number the game's
# texts are known to use, must be in the language file:
#   cmake -DROOT=<source dir> -P CheckStringIds.cmake
# The game's code asks by name (Str::...), which the compiler checks; this scan
# still catches a call with a literal, ResString(1066), should one appear. A
# literal followed by arithmetic, ResString(1400 + place), is the base of a
# family and need not exist itself; the families are covered by the ranges below.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/StringTableFile.cmake")

set(table "${ROOT}/src/core/strings.ja.txt")
kv_read_string_file("${table}" ids errors)
if(errors)
  list(JOIN errors "\n  " msg)
  message(FATAL_ERROR "The string table has faults:\n  ${msg}")
endif()

set(missing "")

# The numbers the game's messages use.
set(inUse 1 200-205 302-310 478 500-501 653-656 701-708 995-999 1001-1096 1100-1110 1115-1117
    1201-1218 1300-1334 1400-1402 1421-1426 2256-2258 3000-3039 4000-4057 4204-4214)
foreach(range IN LISTS inUse)
  if(range MATCHES "^([0-9]+)-([0-9]+)$")
    set(first "${CMAKE_MATCH_1}")
    set(last "${CMAKE_MATCH_2}")
  else()
    set(first "${range}")
    set(last "${range}")
  endif()
  foreach(id RANGE ${first} ${last})
    if(NOT id IN_LIST ids)
      list(APPEND missing "entry ${id} (in use by the game's messages)")
    endif()
  endforeach()
endforeach()

# The numbers the code asks for.
file(GLOB_RECURSE sources "${ROOT}/src/*.cpp" "${ROOT}/src/*.h")
foreach(f IN LISTS sources)
  file(READ "${f}" content)
  string(FIND "${content}" "ResString" any)
  if(any EQUAL -1)
    continue()
  endif()
  file(RELATIVE_PATH rel "${ROOT}" "${f}")
  kv_split_lines("${content}" lines)
  set(lineNo 0)
  foreach(line IN LISTS lines)
    math(EXPR lineNo "${lineNo} + 1")
    if(NOT line MATCHES "ResString[ \t]*\\(")
      continue()
    endif()
    string(REGEX MATCHALL "ResString[ \t]*\\([ \t]*[0-9]+[ \t]*[^ \t0-9]?" calls "${line}")
    foreach(call IN LISTS calls)
      string(REGEX MATCH "([0-9]+)[ \t]*([^ \t0-9]?)$" _ "${call}")
      set(id "${CMAKE_MATCH_1}")
      set(next "${CMAKE_MATCH_2}")
      if(next MATCHES "^[-+*/%]$")
        continue()
      endif()
      math(EXPR id "${id}")  # drops leading zeros
      if(NOT id IN_LIST ids)
        list(APPEND missing "entry ${id}, asked for at ${rel}:${lineNo}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(missing)
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing "\n  " msg)
  message(FATAL_ERROR "src/core/strings.ja.txt lacks:\n  ${msg}")
endif()
list(LENGTH ids count)
message(STATUS "All string-table numbers in use are present (${count} entries)")
