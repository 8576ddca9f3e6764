# The public headers: tkl/tkl.h and every header of the tree it includes, directly or not, on
# either target (the POSIX platform headers too). An application compiles against exactly
# these, so they are what is installed and what the API reference documents.
#
# Run as a script (cmake -DROOT=<source dir> [-DEXCLUDE=regex] -P TklPublicHeaders.cmake) it
# prints them, one path relative to ROOT a line.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

# tkl_public_headers(out root [EXCLUDE regex] [FROM header]): the list, relative to root,
# sorted; FROM starts from another header than tkl/tkl.h (what that header needs of ours).
function(tkl_public_headers out root)
  cmake_parse_arguments(ARG "" "EXCLUDE;FROM" "" ${ARGN})
  set(found "")
  set(queue "tkl/tkl.h")
  if(ARG_FROM)
    set(queue "${ARG_FROM}")
  endif()
  while(queue)
    list(POP_FRONT queue header)
    if(header IN_LIST found)
      continue()
    endif()
    if(NOT EXISTS "${root}/${header}")
      message(FATAL_ERROR "${header}, included by a public header, does not exist")
    endif()
    list(APPEND found "${header}")
    file(STRINGS "${root}/${header}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"tkl/[^\"]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE ".*\"(tkl/[^\"]+)\".*" "\\1" included "${line}")
      list(APPEND queue "${included}")
    endforeach()
  endwhile()
  if(ARG_EXCLUDE)
    list(FILTER found EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  list(SORT found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  tkl_public_headers(headers "${ROOT}" EXCLUDE "${EXCLUDE}")
  list(JOIN headers "\n" text)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${text}")
endif()
