add_subdirectory(${CMAKE_SOURCE_DIR}/outside/ltbitmap ${CMAKE_BINARY_DIR}/outside/ltbitmap)
tarnwick_test(native_lt_save_rules_test ${CMAKE_SOURCE_DIR}/tests/ltbitmap/save_rules_test.cpp
  LIBS lt_bitmap_core)
