# The scanner settings form's model.
add_subdirectory(${CMAKE_SOURCE_DIR}/app/scan_form ${CMAKE_BINARY_DIR}/app/scan_form)
tarnwick_test(native_scan_form_test ${CMAKE_SOURCE_DIR}/tests/app_scan_form/scan_form_model_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan_form/scan_form_editions_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan_form/memory_ini.cpp LIBS tarnwick_scan_form_model)
