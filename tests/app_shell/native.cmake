# The application shell's window-free models, built natively with the sanitizers.
add_subdirectory(${CMAKE_SOURCE_DIR}/app/strings ${CMAKE_BINARY_DIR}/app/strings)
add_subdirectory(${CMAKE_SOURCE_DIR}/app/shell/model ${CMAKE_BINARY_DIR}/app/shell/model)
add_subdirectory(${CMAKE_SOURCE_DIR}/app/forms/model ${CMAKE_BINARY_DIR}/app/forms/model)
tarnwick_test(native_shell_model_test ${CMAKE_SOURCE_DIR}/tests/app_shell/settings_model_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_shell/shell_layout_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_shell/forms_model_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/app_shell/second_edition_model_test.cpp
  LIBS tarnwick_shell_model tarnwick_forms_model)
