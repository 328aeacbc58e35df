# Install and export. find_package(kvo) gives kvo::kvo (the core);
# find_package(kvo COMPONENTS qt) adds kvo::qt, the Qt 6 host adapter.
# pkg-config files: kvo.pc for the core, kvo-qt.pc for the Qt host.
# Public headers go to include/kvo/<folder>/ with include/ as the include
# root (users write #include <kvo/devari/devari.h>); private *_p.h headers
# are not installed.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kvo)
set(KVO_INCLUDE_DEST ${CMAKE_INSTALL_INCLUDEDIR}/kvo)
install(TARGETS kvo ${KVO_CORE_TARGETS} EXPORT kvoTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        FILE_SET HEADERS DESTINATION ${KVO_INCLUDE_DEST})
install(EXPORT kvoTargets NAMESPACE kvo:: DESTINATION ${KVO_CMAKE_DIR})
if(TARGET kvo_qt)
  install(TARGETS kvo_qt EXPORT kvoQtTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
          FILE_SET HEADERS DESTINATION ${KVO_INCLUDE_DEST})
  install(EXPORT kvoQtTargets NAMESPACE kvo:: DESTINATION ${KVO_CMAKE_DIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kvo/resources
        OPTIONAL)

# The libraries' own dependencies, one list for the CMake config and the
# pkg-config file. The public headers include none of them; a static Kvo
# needs them on the user's link line, a shared one links them itself.
set(KVO_PC_MODULES "cairo cairo-svg cairo-pdf cairo-ps cairo-ft fontconfig freetype2 libjpeg")
set(KVO_SHARED_LIBS ${KVO_SHARED})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kvoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/kvoConfig.cmake INSTALL_DESTINATION ${KVO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kvoConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kvoConfig.cmake ${PROJECT_BINARY_DIR}/kvoConfigVersion.cmake
        DESTINATION ${KVO_CMAKE_DIR})

# Libraries in link order: a library before those it uses.
set(KVO_PC_LIBS "")
set(_kvo_rev ${KVO_CORE_TARGETS})
list(REVERSE _kvo_rev)
foreach(t IN LISTS _kvo_rev)
  string(APPEND KVO_PC_LIBS " -l${t}")
endforeach()
if(KVO_SHARED)
  set(KVO_PC_REQUIRES "")
  set(KVO_PC_REQUIRES_PRIVATE "${KVO_PC_MODULES}")
  set(KVO_PC_CFLAGS " -DKVO_SHARED_LIBS")
else()
  # A static library: `pkg-config --libs kvo` must already give everything
  # the link needs, so the dependencies are public requirements.
  set(KVO_PC_REQUIRES "${KVO_PC_MODULES}")
  set(KVO_PC_REQUIRES_PRIVATE "")
  set(KVO_PC_CFLAGS "")
endif()
# The .pc files find the prefix from their own place (relocatable).
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(KVO_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH _kvo_up "/root/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/root")
  string(REGEX REPLACE "/$" "" _kvo_up "${_kvo_up}")
  set(KVO_PC_PREFIX "\${pcfiledir}/${_kvo_up}")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/kvo.pc.in ${PROJECT_BINARY_DIR}/kvo.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kvo.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TARGET kvo_qt)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/kvo-qt.pc.in ${PROJECT_BINARY_DIR}/kvo-qt.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/kvo-qt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()
