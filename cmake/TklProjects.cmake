# Project files (.tvx) built from their readable JSON sources with tvx at build time.
#
# tvx must run on the build machine. A native build uses its own tvx target; a cross build
# (Windows) first builds a native copy of the library and tvx in <build>/host, an ordinary
# native configure of this same tree with only the tools (TKL_HOST_TOOLS_ONLY), built with the
# outer build's make jobs.
#
# A cross build given TKL_HOST_TVX uses that one instead.
#
#   tkl_build_projects(<target> <output-dir> [RAW] <source.json>...)
#       a target (built by default) that writes <output-dir>/<stem>.tvx for each source; RAW
#       builds them as written (tvx build --raw), for data that holds mistakes on purpose
#   tkl_runtime_path(<var> <path>)
#       <path> as the built programs open it: under Wine the Linux file system is drive Z:

# TKL_HOST_TVX names a native tvx already built (the test command passes the Linux build's),
# which spares a cross build its own native copy of the library.
set(TKL_HOST_TVX "" CACHE FILEPATH "A native tvx for a cross build; empty: build one")
if(CMAKE_CROSSCOMPILING AND TKL_HOST_TVX)
  if(NOT EXISTS "${TKL_HOST_TVX}")
    message(FATAL_ERROR "TKL_HOST_TVX: ${TKL_HOST_TVX} does not exist")
  endif()
  set(TKL_TVX ${TKL_HOST_TVX})
  set(TKL_TVX_DEPENDS ${TKL_TVX})
elseif(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(TKL_HOST_DIR ${CMAKE_BINARY_DIR}/host)
  set(TKL_TVX ${TKL_HOST_DIR}/bin/tvx)
  ExternalProject_Add(host_tvx
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${TKL_HOST_DIR}
    # The host's own compilers, whatever the environment says about the target's.
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTKL_HOST_TOOLS_ONLY=ON -DTKL_BUILD_TESTS=OFF
               -DCMAKE_C_COMPILER=cc -DCMAKE_CXX_COMPILER=c++
    INSTALL_COMMAND ""
    # Rebuilt (incrementally) on every build, so that a change to the tool reaches the files.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${TKL_TVX}
    USES_TERMINAL_BUILD ON)
  set(TKL_TVX_DEPENDS host_tvx ${TKL_TVX})
elseif(TARGET tvx)
  set(TKL_TVX $<TARGET_FILE:tvx>)
  set(TKL_TVX_DEPENDS tvx)
endif()

function(tkl_build_projects target dir)
  if(NOT TKL_TVX)
    message(FATAL_ERROR "tkl_build_projects: no tvx in this build")
  endif()
  cmake_parse_arguments(ARG "RAW" "" "" ${ARGN})
  set(raw)
  if(ARG_RAW)
    set(raw --raw)
  endif()
  set(outputs)
  foreach(source ${ARG_UNPARSED_ARGUMENTS})
    get_filename_component(source ${source} ABSOLUTE)
    get_filename_component(stem ${source} NAME_WE)
    set(output ${dir}/${stem}.tvx)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${TKL_TVX} build ${raw} ${source} -o ${output}
      DEPENDS ${TKL_TVX_DEPENDS} ${source}
      COMMENT "Building project ${stem}.tvx"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

function(tkl_runtime_path var path)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set(${var} "Z:${path}" PARENT_SCOPE)
  else()
    set(${var} "${path}" PARENT_SCOPE)
  endif()
endfunction()
