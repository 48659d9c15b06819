# The plug-ins' platform-free part under the sanitizers: the format table, the line-by-line
# session, the document writers and the readers of untrusted files.
add_subdirectory(${CMAKE_SOURCE_DIR}/outside/fileplugins/core ${CMAKE_BINARY_DIR}/outside/fileplugins/core)
tarnwick_test(native_fileplugins_test ${CMAKE_SOURCE_DIR}/tests/fileplugins/format_rules_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/fileplugins/line_session_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/fileplugins/image_reader_test.cpp LIBS fileplugin_core)
target_include_directories(native_fileplugins_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/fileplugins)
