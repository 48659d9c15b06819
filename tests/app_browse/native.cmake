add_subdirectory(${CMAKE_SOURCE_DIR}/app/browse/model ${CMAKE_BINARY_DIR}/app/browse/model)
add_subdirectory(${CMAKE_SOURCE_DIR}/app/export/model ${CMAKE_BINARY_DIR}/app/export/model)
tarnwick_test(native_batch_model_test ${CMAKE_SOURCE_DIR}/tests/app_browse/renumber_plan_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_browse/batch_names_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_browse/export_plan_test.cpp LIBS tarnwick_export_model)
