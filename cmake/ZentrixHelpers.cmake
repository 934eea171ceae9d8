# zentrix_add_gtest(NAME SOURCES... LIBS ...)
# One GoogleTest executable registered with ctest. Tests run from a scratch
# folder of their own and see the reference tables through ZENTRIX_INTEROP_DIR.
function(zentrix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ZENTRIX_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ZENTRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZENTRIX_INTEROP_DIR="${ZENTRIX_INTEROP_DIR}"
    ZENTRIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZENTRIX_INTEROP_DIR=${ZENTRIX_INTEROP_DIR}")
endfunction()
