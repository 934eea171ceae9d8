# Source checks ctest runs beside the test suites: the includes keep to the
# layers table of docs/ARCHITECTURE.md, and every C++ source is formatted as
# .clang-format says. Both read the source tree, not the build.
if(NOT ZENTRIX_BUILD_TESTS)
  return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# The folder holding QtCore/, QtWidgets/, ...: the checker maps Qt headers to
# their module from it.
get_target_property(zentrix_qt_core_includes Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
set(zentrix_qt_include_dir "")
foreach(dir IN LISTS zentrix_qt_core_includes)
  if(dir MATCHES "/QtCore$")
    get_filename_component(zentrix_qt_include_dir "${dir}" DIRECTORY)
  endif()
endforeach()
if(NOT zentrix_qt_include_dir)
  message(FATAL_ERROR "layering check: cannot find Qt's include folder from Qt6::Core")
endif()

add_test(NAME layering
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check_layers.py
    --root ${PROJECT_SOURCE_DIR} --qt-include-dir ${zentrix_qt_include_dir})
add_test(NAME layering_checker
  COMMAND ${Python3_EXECUTABLE} -m unittest -v check_layers_test
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/scripts/tests)
add_test(NAME format COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check_format.sh)
