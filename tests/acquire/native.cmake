# Page delivery's platform-free core under the sanitizers.
add_subdirectory(${CMAKE_SOURCE_DIR}/scanlib/acquire ${CMAKE_BINARY_DIR}/scanlib/acquire)
tarnwick_test(native_acquire_core_test ${CMAKE_SOURCE_DIR}/tests/acquire/page_dib_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/acquire/page_assembly_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/acquire/page_file_name_test.cpp LIBS pavlot_acquire_core)
