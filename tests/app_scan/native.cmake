# The scan run's platform-free logic, under the sanitizers.
add_subdirectory(${CMAKE_SOURCE_DIR}/app/scan ${CMAKE_BINARY_DIR}/app/scan)
tarnwick_test(native_scan_core_test ${CMAKE_SOURCE_DIR}/tests/app_scan/batch_folder_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan/scan_pass_setup_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan/page_saving_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan/page_depth_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scan/scan_run_test.cpp LIBS tarnwick_scan_core)
tarnwick_test(native_scan_commands_test ${CMAKE_SOURCE_DIR}/tests/app_scan/scan_commands_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scanner/fake_pavlot.cpp LIBS tarnwick_scan_commands)
target_include_directories(native_scan_commands_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/app_scanner)
