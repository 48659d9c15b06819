# The annotation engine's model: the ".ant" file's pages, the coordinate rule and the drag.
add_subdirectory(${CMAKE_SOURCE_DIR}/outside/crde2001 ${CMAKE_BINARY_DIR}/outside/crde2001)
tarnwick_test(native_annotation_model_test ${CMAKE_SOURCE_DIR}/tests/annotations/annotation_model_test.cpp
  LIBS crde_annotation_model)
tarnwick_test(native_annotation_file_name_test
  ${CMAKE_SOURCE_DIR}/tests/annotations/annotation_file_name_test.cpp LIBS qm_viewer_model)
