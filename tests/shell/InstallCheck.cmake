# Installs the build in BUILD_DIR into the empty prefix PREFIX and checks that
# the program, the CLI, the help, the desktop entry and the MIME type are there.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(expected
  bin/vaporix
  bin/vaporix-cli
  share/vaporix/help/index.html
  share/vaporix/help/single-phase.html
  share/vaporix/help/saturation.html
  share/vaporix/help/style.css
  share/applications/vaporix.desktop
  share/mime/packages/vaporix.xml
  share/icons/hicolor/scalable/apps/vaporix.svg)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
  message(STATUS "installed: ${file}")
endforeach()
foreach(program vaporix vaporix-cli)
  execute_process(COMMAND test -x ${PREFIX}/bin/${program} RESULT_VARIABLE notExecutable)
  if(notExecutable)
    message(FATAL_ERROR "${program} is not executable")
  endif()
endforeach()

file(READ ${PREFIX}/share/applications/vaporix.desktop desktopEntry)
foreach(line "Exec=vaporix %f" "MimeType=application/x-vaporix-document;")
  string(FIND "${desktopEntry}" "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks \"${line}\"")
  endif()
endforeach()
file(READ ${PREFIX}/share/mime/packages/vaporix.xml mimeType)
foreach(text "<glob pattern=\"*.stb\"/>" "Vaporix Document")
  string(FIND "${mimeType}" "${text}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "the MIME type lacks ${text}")
  endif()
endforeach()

# The installed program finds its help pages in the prefix and starts headless.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
  ${PREFIX}/bin/vaporix --version RESULT_VARIABLE result OUTPUT_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output MATCHES "Vaporix ${VERSION}")
  message(FATAL_ERROR "the installed program does not start: ${output}")
endif()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(LENGTH installed count)
message(STATUS "${count} files installed under ${PREFIX}")
file(REMOVE_RECURSE ${PREFIX})
