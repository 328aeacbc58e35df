# The API reference: HTML from the comments of the public headers (the
# HEADERS of every library; private *_p.h headers and tests stay out),
# built by `cmake --build <dir> --target docs` into <dir>/docs/html.
# Only when doxygen is found. Any warning fails the build, so a malformed
# doc comment is caught as early as a compiler warning.
find_program(KVO_DOXYGEN doxygen)
if(NOT KVO_DOXYGEN)
  message(STATUS "doxygen not found: no docs target")
  return()
endif()

set(_kvo_doc_targets ${KVO_CORE_TARGETS})
if(TARGET kvo_qt)
  list(APPEND _kvo_doc_targets kvo_qt)
endif()
set(_kvo_doc_headers "")
foreach(t IN LISTS _kvo_doc_targets)
  get_target_property(_h ${t} HEADER_SET)
  if(_h)
    foreach(f IN LISTS _h)
      if(NOT IS_ABSOLUTE "${f}")
        get_target_property(_dir ${t} SOURCE_DIR)
        set(f "${_dir}/${f}")
      endif()
      list(APPEND _kvo_doc_headers "${f}")
    endforeach()
  endif()
endforeach()
list(SORT _kvo_doc_headers)
list(JOIN _kvo_doc_headers " \\\n    " KVO_DOC_INPUT)
set(KVO_DOC_OUTPUT ${PROJECT_BINARY_DIR}/docs)
set(KVO_DOC_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/mainpage.md)
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${KVO_DOC_OUTPUT}/Doxyfile @ONLY)

add_custom_command(
  OUTPUT ${KVO_DOC_OUTPUT}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E remove_directory ${KVO_DOC_OUTPUT}/html
  COMMAND ${KVO_DOXYGEN} ${KVO_DOC_OUTPUT}/Doxyfile
  DEPENDS ${_kvo_doc_headers} ${KVO_DOC_MAINPAGE} ${KVO_DOC_OUTPUT}/Doxyfile
  WORKING_DIRECTORY ${KVO_DOC_OUTPUT}
  COMMENT "API reference (doxygen) into ${KVO_DOC_OUTPUT}/html"
  VERBATIM)
add_custom_target(docs DEPENDS ${KVO_DOC_OUTPUT}/html/index.html)
