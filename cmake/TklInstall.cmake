# What `cmake --install` puts where, for the class library (component "library"): the module,
# the public headers under include/tkl/, and how applications find them: a CMake package
# (find_package(tkl CONFIG) gives tkl::tkl) and, outside Windows, tkl.pc for pkg-config.
# Included from tkl/CMakeLists.txt, where the tkl target is defined.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(${PROJECT_SOURCE_DIR}/cmake/TklPublicHeaders.cmake)

set(TKL_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tkl)

# Windows: the DLL with the programs in bin/, its import library and .def in lib/.
install(TARGETS tkl EXPORT tklTargets COMPONENT library
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(WIN32 AND TKL_DEF_FILE)
  install(FILES ${TKL_DEF_FILE} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library)
endif()

tkl_public_headers(headers ${PROJECT_SOURCE_DIR})
foreach(header IN LISTS headers)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder} COMPONENT library)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/capi/include/tkl/tkl_c.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tkl COMPONENT library)

install(EXPORT tklTargets NAMESPACE tkl:: DESTINATION ${TKL_PACKAGE_DIR}
        COMPONENT library)
# Same major version, same pointer size: a 64-bit application never takes the 32-bit package.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/tklConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/tklConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/tklConfigVersion.cmake
        DESTINATION ${TKL_PACKAGE_DIR} COMPONENT library)

if(NOT WIN32)
  # The .pc file finds the prefix from its own place, so the tree may be installed anywhere.
  set(pcdir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  file(RELATIVE_PATH TKL_PC_TO_PREFIX /prefix/${pcdir} /prefix)
  string(REGEX REPLACE "/$" "" TKL_PC_TO_PREFIX "${TKL_PC_TO_PREFIX}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/package/tkl.pc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/tkl.pc @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tkl.pc DESTINATION ${pcdir} COMPONENT library)
endif()
