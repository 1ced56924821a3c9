# Compiles the string table's language file into a C++ source:
#   cmake -DINPUT=strings.ja.txt -DOUTPUT=StringTableText.cpp [-DHEADER=StringIds.h]
#         -P EmbedStrings.cmake
# The file goes in whole as a raw string literal and is parsed once at first
# use; a malformed line stops the build here with its line number. HEADER, when
# given, receives the names of the entries as the enumeration Str, so the code
# asks for Str::MazeCaption and never for a bare number.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/StringTableFile.cmake")

if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "EmbedStrings.cmake needs -DINPUT=<language file> -DOUTPUT=<source to write>")
endif()

kv_read_string_file("${INPUT}" ids errors names)
if(NOT errors AND NOT ids)
  get_filename_component(name "${INPUT}" NAME)
  set(errors "${name}: no entries")
endif()
if(errors)
  # Indented lines are printed as they are, one fault a line.
  list(JOIN errors "\n  " msg)
  message(FATAL_ERROR "The string table has faults:\n  ${msg}")
endif()

file(READ "${INPUT}" content)
set(delimiter "KVSTR")
string(FIND "${content}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT}: the text \")${delimiter}\\\"\" would end the embedded literal")
endif()

get_filename_component(name "${INPUT}" NAME)
set(source "// Generated from ${name} by cmake/EmbedStrings.cmake; edit the language file instead.
#include \"core/StringTableParse.h\"

namespace kv {

std::string_view EmbeddedStringTableText() {
    return R\"${delimiter}(${content})${delimiter}\";
}

}  // namespace kv
")
# Rewrite only on change, so an unchanged table does not rebuild its users.
function(kv_write_if_changed path text)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${text}")
endfunction()
kv_write_if_changed("${OUTPUT}" "${source}")

if(HEADER)
  set(enumerators "")
  foreach(pair IN LISTS names)
    string(REPLACE "=" " = " pair "${pair}")
    string(APPEND enumerators "    ${pair},\n")
  endforeach()
  set(header "// Generated from ${name} by cmake/EmbedStrings.cmake; name entries there.
#pragma once

namespace kv {

// The named entries of the string table, by the number each stands for.
enum class Str : int {
${enumerators}};

}  // namespace kv
")
  kv_write_if_changed("${HEADER}" "${header}")
endif()
