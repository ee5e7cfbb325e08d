# One static library per layer folder, built from every .cpp in it, so adding a
# source file needs no CMake edit.
function(quillmark_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(qm_${name} STATIC ${sources})
  target_include_directories(qm_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(qm_${name} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest executable per test folder, from every .cpp in it.
function(quillmark_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} qm_testsupport GTest::gtest_main GTest::gmock)
  target_compile_definitions(test_${name} PRIVATE
    QUILLMARK_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "LC_ALL=C;TZ=UTC")
endfunction()
