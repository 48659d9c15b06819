add_subdirectory(${CMAKE_SOURCE_DIR}/app/pdf_page ${CMAKE_BINARY_DIR}/app/pdf_page)
tarnwick_test(native_pdf_page_plan_test ${CMAKE_SOURCE_DIR}/tests/pdf_page/pdf_page_plan_test.cpp
  LIBS tarnwick_pdf_page_core)
add_subdirectory(${CMAKE_SOURCE_DIR}/outside/pdfdll ${CMAKE_BINARY_DIR}/outside/pdfdll)
tarnwick_test(native_pdf_page_image_test ${CMAKE_SOURCE_DIR}/tests/pdf_page/page_image_test.cpp
  LIBS pdfdll_core)
