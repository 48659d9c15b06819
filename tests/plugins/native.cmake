# The plug-in host's platform-free rules under the sanitizers.
add_subdirectory(${CMAKE_SOURCE_DIR}/scanlib/plugins ${CMAKE_BINARY_DIR}/scanlib/plugins)
tarnwick_test(native_plugin_rules_test ${CMAKE_SOURCE_DIR}/tests/plugins/save_filter_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/plugins/file_name_parts_test.cpp LIBS pavlot_plugins_core)
