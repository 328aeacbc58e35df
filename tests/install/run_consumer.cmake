# Builds and runs the consumers against the installed prefix.
#  - consumer_qt (or consumer without Qt): a CMake project using
#    find_package(kvo COMPONENTS qt) and #include <kvo/...>;
#  - consumer_pc: compiled and linked with nothing but the flags of
#    `pkg-config --cflags --libs kvo` (kvo's .pc plus the system's), and in
#    C++23, which the package must not turn back to C++20.
# Arguments: -DPREFIX=... -DWORK_DIR=... -DSOURCE_DIR=... -DWITH_QT=ON|OFF -DCXX=...
file(REMOVE_RECURSE ${WORK_DIR}/build ${WORK_DIR}/pc)
set(ENV{PKG_CONFIG_PATH} "${PREFIX}/lib/pkgconfig:${PREFIX}/lib64/pkgconfig")
set(ENV{QT_QPA_PLATFORM} offscreen)
# For a shared Kvo: the programs find its libraries in the prefix.
set(ENV{LD_LIBRARY_PATH} "${PREFIX}/lib:${PREFIX}/lib64:$ENV{LD_LIBRARY_PATH}")

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja
                        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH=${PREFIX}
                        -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DKVO_CONSUMER_QT=${WITH_QT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the consumer failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the consumer failed: ${rc}")
endif()
if(WITH_QT)
  set(exe consumer_qt)
else()
  set(exe consumer)
endif()
execute_process(COMMAND ${WORK_DIR}/build/${exe} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${exe} failed: ${rc}")
endif()

# pkg-config alone.
execute_process(COMMAND pkg-config --cflags --libs kvo RESULT_VARIABLE rc
                OUTPUT_VARIABLE flags ERROR_VARIABLE err OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config --cflags --libs kvo failed: ${err}")
endif()
if(flags MATCHES "-std=")
  message(FATAL_ERROR "kvo.pc forces a language standard: ${flags}")
endif()
message(STATUS "pkg-config --cflags --libs kvo: ${flags}")
separate_arguments(flags UNIX_COMMAND "${flags}")
file(MAKE_DIRECTORY ${WORK_DIR}/pc)
execute_process(COMMAND ${CXX} -std=c++23 ${SOURCE_DIR}/pc_main.cpp -o ${WORK_DIR}/pc/consumer_pc
                        ${flags}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the pkg-config consumer failed: ${rc}")
endif()
execute_process(COMMAND ${WORK_DIR}/pc/consumer_pc ${WORK_DIR}/pc/chart.png RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "consumer_pc failed: ${rc}")
endif()
if(NOT EXISTS ${WORK_DIR}/pc/chart.png)
  message(FATAL_ERROR "consumer_pc wrote no picture")
endif()
