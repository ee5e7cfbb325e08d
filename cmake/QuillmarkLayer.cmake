# Each layer's headers are seen as "LAYER/name.h" through a folder of its own
# that holds one link to the layer's sources. A target sees its own folder and,
# through its links, those of the layers it is built on: an include that
# points up a layer does not compile.
function(quillmark_layer_headers target name)
  set(dir "${CMAKE_BINARY_DIR}/layers/${name}")
  file(MAKE_DIRECTORY "${dir}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/src/${name}" "${dir}/${name}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${dir}")
endfunction()

# One static library per layer folder, built from every .cpp in it, so adding a
# source file needs no CMake edit.
function(quillmark_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(qm_${name} STATIC ${sources})
  quillmark_layer_headers(qm_${name} ${name})
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
