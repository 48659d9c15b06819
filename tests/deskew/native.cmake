# The deskew and crop step's platform-free parts under the sanitizers: the paper finder of
# cropdeskew2.dll over pages the simulated scanner lays on its plate, and the step's row work.
add_subdirectory(${CMAKE_SOURCE_DIR}/outside/cropdeskew2 ${CMAKE_BINARY_DIR}/outside/cropdeskew2)
tarnwick_test(native_deskew_test ${CMAKE_SOURCE_DIR}/tests/deskew/paper_finder_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/deskew/deskew_crop_rows_test.cpp
  LIBS cropdeskew_core zebsim_core pavlot_acquire_core)
