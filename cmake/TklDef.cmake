# The export lists of the library's modules, from .def parts written for 32-bit Windows, where
# stdcall names carry "@bytes"; on 64-bit there is no decoration, so each line becomes the
# plain name.
#
#   tkl_def_file(<out> <file name> <part>...)
#       a module definition file in the current binary folder from the parts' EXPORTS lines
#   tkl_def_names(<out> <part>)
#       the names a part exports, as the C symbols are called (for a version script)

function(tkl_def_file out name)
  set(text "EXPORTS\n")
  foreach(part ${ARGN})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${part})
    file(STRINGS ${part} lines REGEX "^[ \t]+[A-Za-z_]")
    foreach(line ${lines})
      if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        string(REGEX REPLACE "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)@.*" "    \\1" line "${line}")
      endif()
      string(APPEND text "${line}\n")
    endforeach()
  endforeach()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}" @ONLY)
  set(${out} ${file} PARENT_SCOPE)
endfunction()

function(tkl_def_names out part)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${part})
  file(STRINGS ${part} lines REGEX "^[ \t]+[A-Za-z_]")
  set(names)
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]+([A-Za-z_][A-Za-z0-9_]*).*" "\\1" name "${line}")
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
