# Installs the build into a fresh prefix and plays the installed program,
# headless, on the installed demo up to the castle menu. The installed copy of
# the demo is marked, so the test can tell it from the one in the build folder.
set(work "${WORK}")
set(prefix "${work}/prefix")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}/home")

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()
foreach(file games/korvane games/kvrdata share/korvane/demo/KVR1.DAT share/korvane/demo/KVR.ini
             share/doc/korvane/README.md share/doc/korvane/copyright
             share/man/man6/korvane.6.gz share/man/man1/kvrdata.1.gz)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

set(mark "; the installed copy")
file(APPEND "${prefix}/share/korvane/demo/KVR.ini" "${mark}\n")
file(WRITE "${work}/keys" "wait:500 Enter\n")
# No --data and no --save-dir: the program finds both by itself.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME --unset=XDG_CONFIG_HOME
          HOME=${work}/home PATH=${prefix}/games:/usr/bin:/bin
          korvane --headless --seed 1 --keys "${work}/keys" --transcript "${work}/t.jsonl"
  WORKING_DIRECTORY "${work}"
  RESULT_VARIABLE rc ERROR_VARIABLE errors)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed program ended with ${rc}: ${errors}")
endif()
file(READ "${work}/t.jsonl" transcript)
if(NOT transcript MATCHES "\"t\":\"menu\",\"state\":8,")
  message(FATAL_ERROR "the castle menu was never shown:\n${transcript}")
endif()
file(READ "${work}/home/.local/share/korvane/saves/demo/KVR.ini" copied)
if(NOT copied MATCHES "${mark}")
  message(FATAL_ERROR "the installed program did not play the installed demo")
endif()
file(REMOVE_RECURSE "${work}")
message(STATUS "the installed program plays its installed demo")
