# find_package(tkl CONFIG): the imported target tkl::tkl, the class library with its headers.
include(${CMAKE_CURRENT_LIST_DIR}/tklTargets.cmake)
