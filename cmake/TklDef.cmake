# tkl_def_file(out part...): the module definition file of tkl.dll, from the parts' EXPORTS
# lines. The parts are written for 32-bit Windows, where stdcall names carry "@bytes"; on 64-bit
# there is no decoration, so each line becomes the plain name.
function(tkl_def_file out)
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
  set(file ${CMAKE_CURRENT_BINARY_DIR}/tkl.def)
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}" @ONLY)
  set(${out} ${file} PARENT_SCOPE)
endfunction()
