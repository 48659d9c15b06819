add_subdirectory(${CMAKE_SOURCE_DIR}/app/thumbnail ${CMAKE_BINARY_DIR}/app/thumbnail)
tarnwick_test(native_strip_layout_test ${CMAKE_SOURCE_DIR}/tests/thumbnail/strip_layout_test.cpp
  LIBS tarnwick_strip_layout)
