# Builds examples/ as a project of its own against the installed prefix
# (find_package(kvo), kvo::qt when Qt is there) and runs the programs: the
# headless chart with its output checked by examples/check_headless.sh, the
# data-file round trip, and the Qt window once (offscreen).
# Arguments: -DPREFIX=... -DWORK_DIR=... -DSOURCE_DIR=<examples> -DWITH_QT=ON|OFF -DCXX=...
file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LD_LIBRARY_PATH} "${PREFIX}/lib:${PREFIX}/lib64:$ENV{LD_LIBRARY_PATH}")
set(launcher "")
find_program(CCACHE ccache)
if(CCACHE)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE})
endif()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed: ${rc}")
  endif()
endfunction()

run("configuring the examples"
    ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G Ninja -DCMAKE_BUILD_TYPE=
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${PREFIX}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF ${launcher})
run("building the examples" ${CMAKE_COMMAND} --build ${WORK_DIR}/build -j2)
run("headless_chart" bash ${SOURCE_DIR}/check_headless.sh ${WORK_DIR}/build/headless_chart
    ${WORK_DIR}/headless_out)
file(MAKE_DIRECTORY ${WORK_DIR}/data_out)
run("data_file" ${WORK_DIR}/build/data_file ${WORK_DIR}/data_out)
if(NOT EXISTS ${WORK_DIR}/data_out/data_file.png)
  message(FATAL_ERROR "data_file wrote no picture")
endif()
if(WITH_QT)
  if(NOT EXISTS ${WORK_DIR}/build/qt_chart)
    message(FATAL_ERROR "the Qt example was not built against kvo::qt")
  endif()
  run("qt_chart" ${WORK_DIR}/build/qt_chart --check)
endif()
