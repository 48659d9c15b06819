add_subdirectory(${CMAKE_SOURCE_DIR}/outside/pdfcore ${CMAKE_BINARY_DIR}/outside/pdfcore)
tarnwick_test(native_pdf_writer_test ${CMAKE_SOURCE_DIR}/tests/pdfcore/pdf_writer_test.cpp LIBS pdfcore)
