# Shared target setup: warnings, sanitizers, the library and test helpers.

function(kvo_setup_target target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KVO_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  if(KVO_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# kvo_add_library(name SOURCES ... HEADERS ... DEPS ... PRIVATE_DEPS ... [NOT_CORE])
# The library of one subsystem, static by default and shared with KVO_SHARED
# (hidden visibility: only what carries KVO_API from platform/export.h is
# exported). HEADERS are the public headers: installed under
# include/kvo/<folder>/ and included by users as <kvo/<folder>/name.h>.
# Private headers (*_p.h) belong in SOURCES and are never installed. The
# project's own code includes "folder/name.h" from the source root.
# Core libraries make up kvo::kvo; NOT_CORE keeps a library (the Qt host) out.
function(kvo_add_library name)
  cmake_parse_arguments(ARG "NOT_CORE" "" "SOURCES;HEADERS;DEPS;PRIVATE_DEPS" ${ARGN})
  foreach(h IN LISTS ARG_HEADERS)
    if(h MATCHES "_p\\.h$")
      message(FATAL_ERROR "${name}: private header ${h} listed among the public HEADERS")
    endif()
  endforeach()
  if(KVO_SHARED)
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES
      CXX_VISIBILITY_PRESET hidden
      VISIBILITY_INLINES_HIDDEN ON
      VERSION ${PROJECT_VERSION}
      SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
    target_compile_definitions(${name} PUBLIC KVO_SHARED_LIBS)
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  add_library(kvo::${name} ALIAS ${name})
  target_sources(${name} PUBLIC FILE_SET HEADERS BASE_DIRS ${PROJECT_SOURCE_DIR} FILES ${ARG_HEADERS})
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                             $<INSTALL_INTERFACE:include>)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  target_compile_features(${name} PUBLIC cxx_std_20)
  kvo_setup_target(${name})
  if(KVO_SANITIZE)
    target_link_options(${name} INTERFACE -fsanitize=address,undefined)
  endif()
  if(NOT ARG_NOT_CORE)
    # Collected globally: a subdirectory's PARENT_SCOPE does not reach the top.
    set_property(GLOBAL APPEND PROPERTY KVO_CORE_TARGETS ${name})
  endif()
endfunction()

# kvo_add_test(name SOURCES ... LIBS ...)
# One GoogleTest program, registered with CTest. Tests run from the build
# folder with KVO_SOURCE_DIR pointing at the source tree (goldens, data).
function(kvo_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kvo_testsupport GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  kvo_setup_target(${name})
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "KVO_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                                  LABELS "${ARG_LABELS}")
endfunction()

# kvo_add_bench(name SOURCES ... LIBS ...)
function(kvo_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  kvo_setup_target(${name})
endfunction()
