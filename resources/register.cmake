# Run by `cmake --install` once the files are in place: tells the desktop about the new file
# type, launcher and icons, as a package's triggers do. A staged install (DESTDIR) is left to
# those triggers; a missing tool only means the desktop notices the files later.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(data "${CMAKE_INSTALL_PREFIX}/${TESSALINE_DATADIR}")
if(IS_ABSOLUTE "${TESSALINE_DATADIR}")
  set(data "${TESSALINE_DATADIR}")
endif()

function(refresh)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "NAMES;ARGS")
  find_program(tool NAMES ${arg_NAMES} NO_CACHE)
  if(NOT tool)
    message(STATUS "Not refreshed (${arg_NAMES} not installed): ${arg_ARGS}")
    return()
  endif()
  execute_process(COMMAND ${tool} ${arg_ARGS} RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
  if(failed)
    message(WARNING "${tool} failed: ${errors}")
  else()
    message(STATUS "Refreshed: ${tool} ${arg_ARGS}")
  endif()
endfunction()

refresh(NAMES update-mime-database ARGS "${data}/mime")
refresh(NAMES update-desktop-database ARGS -q "${data}/applications")
# -t: a prefix such as /usr/local has no index.theme of its own.
refresh(NAMES gtk-update-icon-cache gtk4-update-icon-cache ARGS -q -t -f "${data}/icons/hicolor")
