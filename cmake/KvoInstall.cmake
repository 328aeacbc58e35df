# Install and export: find_package(kvo) gives kvo::kvo; a pkg-config file too.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kvo)
install(TARGETS kvo ${KVO_CORE_TARGETS} EXPORT kvoTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kvo)
install(EXPORT kvoTargets NAMESPACE kvo:: DESTINATION ${KVO_CMAKE_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kvo/resources
        OPTIONAL)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kvoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/kvoConfig.cmake INSTALL_DESTINATION ${KVO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kvoConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kvoConfig.cmake ${PROJECT_BINARY_DIR}/kvoConfigVersion.cmake
        DESTINATION ${KVO_CMAKE_DIR})

set(KVO_PC_LIBS "")
set(_kvo_rev ${KVO_CORE_TARGETS})
list(REVERSE _kvo_rev)
foreach(t IN LISTS _kvo_rev)
  string(APPEND KVO_PC_LIBS " -l${t}")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/cmake/kvo.pc.in ${PROJECT_BINARY_DIR}/kvo.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kvo.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
