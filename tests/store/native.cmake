# Numbers as texts without the locale, under the sanitizers.
tarnwick_test(native_c_locale_number_test ${CMAKE_SOURCE_DIR}/tests/store/c_locale_number_test.cpp
  LIBS quandrix_format)
