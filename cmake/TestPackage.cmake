# Builds the Debian package from the build folder and reads it back: every
# file under /usr, the program, its demo, pages, entry and icon among them,
# the dependencies a player's system needs, and no error from lintian.
get_filename_component(cmake_dir "${CMAKE_COMMAND}" DIRECTORY)
find_program(CPACK cpack HINTS "${cmake_dir}" NO_DEFAULT_PATH)
find_program(CPACK cpack)
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
  message(FATAL_ERROR "dpkg-deb is missing")
endif()
set(work "${WORK}")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${work}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
file(GLOB debs "${work}/*.deb")
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB failed (${rc}, ${count} packages):\n${said}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --contents ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
string(REGEX MATCHALL "\\./[^\n]*" paths "${listing}")
foreach(path ${paths})
  if(NOT path MATCHES "^\\./(usr/.*)?$")
    message(FATAL_ERROR "the package puts ${path} outside /usr")
  endif()
endforeach()
foreach(file games/korvane games/kvrdata share/korvane/demo/KVR1.DAT share/korvane/demo/KVR6.DAT
             share/man/man6/korvane.6.gz share/man/man1/kvrdata.1.gz share/applications/korvane.desktop
             share/doc/korvane/copyright share/doc/korvane/changelog.gz
             share/icons/hicolor/48x48/apps/korvane.png share/icons/hicolor/256x256/apps/korvane.png
             share/doc/korvane/README.md)
  if(NOT listing MATCHES "\\./usr/${file}\n")
    message(FATAL_ERROR "the package lacks /usr/${file}")
  endif()
endforeach()

execute_process(COMMAND "${DPKG_DEB}" --field ${debs} Package Section Depends OUTPUT_VARIABLE fields)
foreach(want "Package: korvane" "Section: games" "libsdl2-2.0-0" "libsdl2-ttf-2.0-0"
             "libsdl2-image-2.0-0" "libsdl2-mixer-2.0-0" "fonts-ipafont-gothic" "timgm6mb-soundfont")
  string(FIND "${fields}" "${want}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package's fields lack ${want}:\n${fields}")
  endif()
endforeach()

# lintian judges the package as Debian would; an error fails the test, the
# lesser tags are printed for a reader.
find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is missing (scripts/install-deps installs it)")
endif()
execute_process(COMMAND "${LINTIAN}" --no-cfg --tag-display-limit 0 ${debs}
                OUTPUT_VARIABLE tags ERROR_VARIABLE tags)
message(STATUS "lintian:\n${tags}")
if(tags MATCHES "(^|\n)E: ")
  message(FATAL_ERROR "lintian reports errors:\n${tags}")
endif()
file(REMOVE_RECURSE "${work}")
message(STATUS "the package installs under /usr and names its dependencies")
