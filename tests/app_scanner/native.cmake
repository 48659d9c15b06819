# The application's scan library binding and capability query over a fake pavlot.dll.
add_subdirectory(${CMAKE_SOURCE_DIR}/app/scanner ${CMAKE_BINARY_DIR}/app/scanner)
tarnwick_test(native_app_scanner_test ${CMAKE_SOURCE_DIR}/tests/app_scanner/scan_library_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scanner/scanner_caps_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scanner/bound_scan_port_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scanner/second_edition_caps_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_scanner/fake_pavlot.cpp LIBS tarnwick_scanner)
