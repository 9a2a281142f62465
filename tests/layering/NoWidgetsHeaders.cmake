# Fails when a source file of the program includes a Qt Widgets header and is not one of the Qt
# adapters (the sources of a target that links Qt Widgets, and the headers beside them).
# platform/ (the layer over Qt), the tests and the benchmarks are not looked at.
#
#   cmake -DSOURCE_DIR=<root> -DWIDGETS_DIR=<.../QtWidgets> -DALLOWED=<file;...> -P NoWidgetsHeaders.cmake

cmake_minimum_required(VERSION 3.25)

file(GLOB widget_headers RELATIVE ${WIDGETS_DIR} ${WIDGETS_DIR}/*)
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.inc)

# Build trees inside the source tree hold generated files of their own.
file(GLOB_RECURSE caches RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*/CMakeCache.txt)
set(skipped platform/ tests/ bench/ fuzz/ .git/)
foreach(cache IN LISTS caches)
  get_filename_component(tree ${cache} DIRECTORY)
  list(APPEND skipped ${tree}/)
endforeach()

set(offenders "")
foreach(file IN LISTS files)
  set(skip FALSE)
  foreach(prefix IN LISTS skipped)
    string(FIND "${file}" "${prefix}" at)
    if(at EQUAL 0)
      set(skip TRUE)
    endif()
  endforeach()
  if(skip OR "${SOURCE_DIR}/${file}" IN_LIST ALLOWED)
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
    string(REGEX REPLACE "^QtWidgets/" "" bare "${name}")
    if(name STREQUAL "QtWidgets" OR NOT bare STREQUAL name OR bare IN_LIST widget_headers)
      list(APPEND offenders "${file}: ${name}")
    endif()
  endforeach()
endforeach()

if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "Qt Widgets headers outside the Qt adapters:\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "No Qt Widgets header outside the Qt adapters")
