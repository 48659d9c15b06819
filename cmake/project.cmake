# Common settings for every target of the tree.

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  # The C++ runtime (libstdc++, libgcc, winpthread) is one set of DLLs beside ours, not a static
  # copy in every DLL: a static copy takes a TLS slot and some heap at each load that its unload
  # never gives back, so a caller that loads and frees our DLLs all day would run out. Each of
  # our DLLs pins the runtime DLLs (runtime/runtime_pin.c) so that they load once per process.
  # They are copied into bin/ with ours; TARNWICK_RUNTIME_DLLS names them for the import checks.
  set(TARNWICK_RUNTIME_DLLS "")
  foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${dll_path}" AND EXISTS "${dll_path}")
      list(APPEND TARNWICK_RUNTIME_DLLS ${dll})
      list(APPEND runtime_dll_paths ${dll_path})
    endif()
  endforeach()
  list(LENGTH TARNWICK_RUNTIME_DLLS runtime_count)
  if(NOT runtime_count EQUAL 3)
    message(FATAL_ERROR "the C++ runtime DLLs of ${CMAKE_CXX_COMPILER} were not all found: ${TARNWICK_RUNTIME_DLLS}")
  endif()
  # Copied without their debugging sections (libstdc++ would be twenty megabytes).
  set(runtime_copies "")
  foreach(dll_path ${runtime_dll_paths})
    get_filename_component(dll ${dll_path} NAME)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bin/${dll}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
      COMMAND ${CMAKE_OBJCOPY} --strip-debug ${dll_path} ${CMAKE_BINARY_DIR}/bin/${dll}
      DEPENDS ${dll_path} VERBATIM)
    list(APPEND runtime_copies ${CMAKE_BINARY_DIR}/bin/${dll})
  endforeach()
  add_custom_target(runtime_dlls ALL DEPENDS ${runtime_copies})
  set(TARNWICK_RUNTIME_PIN ${CMAKE_SOURCE_DIR}/runtime/runtime_pin.c)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

  # Cross-built codec libraries (tools/setup).
  if(NOT TARNWICK_ARCH)
    set(TARNWICK_ARCH i686)
  endif()
  set(TARNWICK_DEPS "/var/cache/tarnwick-deps/${TARNWICK_ARCH}" CACHE PATH "cross-built codec libraries")
  set(TARNWICK_MINGW_ROOT /usr/${TARNWICK_ARCH}-w64-mingw32)
  # Test programs run through tools/wine-exec, which picks the Wine loader for this build.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-exec)

  # GoogleTest from the distribution's sources, built with the cross compiler.
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()

  # A DLL with a .def file: exports keep their undecorated names and fixed ordinals.
  # A test (label "exports", run natively) checks the built DLL against the .def file.
  function(tarnwick_dll name def)
    add_library(${name} SHARED ${ARGN} ${def} ${TARNWICK_RUNTIME_PIN})
    add_dependencies(${name} runtime_dlls)
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
    get_filename_component(def_abs ${def} ABSOLUTE)
    add_test(NAME ${name}_exports
      COMMAND ${CMAKE_SOURCE_DIR}/tools/check-exports ${TARNWICK_ARCH}-w64-mingw32-objdump
              $<TARGET_FILE:${name}> ${def_abs})
    set_tests_properties(${name}_exports PROPERTIES LABELS exports)
    # It starts on a plain Windows with only our DLLs and the runtime DLLs beside it.
    add_test(NAME ${name}_imports
      COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports ${TARNWICK_ARCH}-w64-mingw32-objdump
              $<TARGET_FILE:${name}> ${CMAKE_SOURCE_DIR}/cmake/dll_imports.txt ${TARNWICK_RUNTIME_DLLS})
    set_tests_properties(${name}_imports PROPERTIES LABELS exports)
  endfunction()
else()
  find_package(GTest REQUIRED)
endif()

# A GoogleTest executable registered with CTest (under Wine when cross-building).
# tarnwick_test(NAME sources... [LIBS libs...] [LOCK resources...] [TIMEOUT s])
# Locks in use: quandrix_registry (HKCU Software\Quandrix, c:\temp\ondrel.ini), test_display
# (tests that show windows on the test display), tarnwick_settings (the test user's
# TarnwickForm.ini in the documents folder, which every start of Tarnwick reads and writes).
function(tarnwick_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LIBS;LOCK" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock gtest_main)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
  endif()
endfunction()

if(WIN32)
  # Imported targets for the cross-built codec libraries; zlib links statically.
  foreach(lib tiff jpeg png16 gif)
    add_library(deps::${lib} STATIC IMPORTED)
    set_target_properties(deps::${lib} PROPERTIES IMPORTED_LOCATION ${TARNWICK_DEPS}/lib/lib${lib}.a
      INTERFACE_INCLUDE_DIRECTORIES ${TARNWICK_DEPS}/include)
  endforeach()
  add_library(deps::zlib STATIC IMPORTED)
  set_target_properties(deps::zlib PROPERTIES IMPORTED_LOCATION ${TARNWICK_MINGW_ROOT}/lib/libz.a)
  set_target_properties(deps::tiff PROPERTIES INTERFACE_LINK_LIBRARIES "deps::jpeg;deps::zlib")
  set_target_properties(deps::png16 PROPERTIES INTERFACE_LINK_LIBRARIES "deps::zlib")
else()
  option(TARNWICK_SANITIZE "build with address and undefined-behaviour sanitizers" OFF)
  if(TARNWICK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
  find_package(TIFF)
  find_package(JPEG)
  find_package(PNG)
  find_package(GIF)
  find_package(ZLIB)
endif()

# Adds every child folder of the current source folder that has a CMakeLists.txt, in name order,
# except the names given. Lets a new folder join the build without editing its parent's list.
function(tarnwick_add_child_folders)
  file(GLOB _child_dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(_dir ${_child_dirs})
    get_filename_component(_name ${_dir} NAME)
    if(IS_DIRECTORY ${_dir} AND EXISTS ${_dir}/CMakeLists.txt AND NOT "${_name}" IN_LIST ARGN)
      add_subdirectory(${_name})
    endif()
  endforeach()
endfunction()
