# The page services' pixel work under the sanitizers; libtiff's Group 4 coder checks the T.6
# byte counter.
add_subdirectory(${CMAKE_SOURCE_DIR}/scanlib/services/pixels ${CMAKE_BINARY_DIR}/scanlib/services/pixels)
tarnwick_test(native_page_pixels_test ${CMAKE_SOURCE_DIR}/tests/services/fax_coder_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/services/blank_page_check_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/services/pixel_routines_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/services/page_images_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/services/test_dibs.cpp LIBS pavlot_pixels TIFF::TIFF)
add_subdirectory(${CMAKE_SOURCE_DIR}/outside/filterdll ${CMAKE_BINARY_DIR}/outside/filterdll)
tarnwick_test(native_blue_drop_test ${CMAKE_SOURCE_DIR}/tests/services/blue_drop_test.cpp
  LIBS filterdll_core)
