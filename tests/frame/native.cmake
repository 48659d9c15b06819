# The library dialogs' models under the sanitizers.
set(dialog_model_dir ${CMAKE_SOURCE_DIR}/scanlib/frame)
add_library(pavlot_dialog_models STATIC ${dialog_model_dir}/dialog_values.cpp
  ${dialog_model_dir}/label_list.cpp ${dialog_model_dir}/dialog_template_choice.cpp
  ${dialog_model_dir}/settings_dialog.cpp ${dialog_model_dir}/area_dialog.cpp
  ${dialog_model_dir}/more_dialog.cpp ${dialog_model_dir}/dialog_texts.cpp)
target_include_directories(pavlot_dialog_models PUBLIC ${dialog_model_dir})
target_link_libraries(pavlot_dialog_models PUBLIC pavlot_tagmodel quandrix_format)
tarnwick_test(native_dialog_models_test ${CMAKE_SOURCE_DIR}/tests/frame/settings_dialog_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/frame/area_dialog_test.cpp ${CMAKE_SOURCE_DIR}/tests/frame/more_dialog_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/frame/dialog_choice_test.cpp ${CMAKE_SOURCE_DIR}/tests/frame/pavlot_loc_test.cpp
  LIBS pavlot_dialog_models)
target_compile_definitions(native_dialog_models_test PRIVATE
  PAVLOT_LOC_PATH="${dialog_model_dir}/pavlot.loc")
