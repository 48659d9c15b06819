add_subdirectory(${CMAKE_SOURCE_DIR}/outside/ltbitmap ${CMAKE_BINARY_DIR}/outside/ltbitmap)
tarnwick_test(native_lt_save_rules_test ${CMAKE_SOURCE_DIR}/tests/ltbitmap/save_rules_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/ltbitmap/dib_parts_test.cpp ${CMAKE_SOURCE_DIR}/tests/ltbitmap/dib_fixtures.cpp
  LIBS lt_bitmap_core)
target_include_directories(native_lt_save_rules_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/ltbitmap)
