# The project's one version number, carried by every product module: TKL_VERSION in its code
# and, on Windows, a VERSIONINFO resource that Explorer and installers read.

set(TKL_VERSION_RC_IN ${CMAKE_CURRENT_LIST_DIR}/package/version.rc.in)

# tkl_version(target DESCRIPTION text): the version resource (Windows) and the TKL_VERSION
# string macro (both targets) for one module.
function(tkl_version target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  target_compile_definitions(${target} PRIVATE TKL_VERSION="${PROJECT_VERSION}")
  if(NOT WIN32)
    return()
  endif()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    set(TKL_RC_FILETYPE "VFT_APP")
    set(TKL_RC_SUFFIX ".exe")
  else()
    set(TKL_RC_FILETYPE "VFT_DLL")
    set(TKL_RC_SUFFIX ".dll")
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(TKL_RC_NAME ${name})
  set(TKL_RC_DESCRIPTION "${ARG_DESCRIPTION}")
  # Four numeric parts, as VERSIONINFO wants them.
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      set(TKL_RC_${part} 0)
    else()
      set(TKL_RC_${part} ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${TKL_VERSION_RC_IN} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
