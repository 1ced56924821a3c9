# Precompiled headers: a test program parses the test framework, the
# standard library and the game's central headers once, not once per file.
# korvane_precompile(target header...) adds them when KORVANE_PCH is on; a
# header in <> is found on the include path, any other is a path from the
# calling folder. A target of fewer than four compiled files (a unity batch
# counts as one) gains nothing from it and goes without.
# The optimised libraries stay without: GCC 12 then reports its false
# -Warray-bounds on std::string inside the precompiled standard headers.
option(KORVANE_PCH "Precompile the headers every test file includes" ON)

function(korvane_precompile target)
  if(NOT KORVANE_PCH)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources units)
  get_target_property(unity ${target} UNITY_BUILD)
  if(unity)
    get_target_property(batch ${target} UNITY_BUILD_BATCH_SIZE)
    math(EXPR units "(${units} + ${batch} - 1) / ${batch}")
  endif()
  if(units LESS 4)
    return()
  endif()
  set(headers)
  foreach(header ${ARGN})
    if(header MATCHES "^<")
      list(APPEND headers "${header}")
    else()
      list(APPEND headers "${CMAKE_CURRENT_SOURCE_DIR}/${header}")
    endif()
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
  # ccache caches a file compiled against a precompiled header only when
  # the preprocessed text names the header (GCC) or carries no time stamp
  # of it (Clang); see the launcher in the top CMakeLists.txt.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fpch-preprocess)
  elseif(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()
