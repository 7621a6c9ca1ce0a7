# Shared build settings and the helpers every module's CMakeLists uses.

find_package(PkgConfig REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(tarn_settings INTERFACE)
target_include_directories(tarn_settings INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(tarn_settings INTERFACE -Wall -Wextra)
if(TARN_WERROR)
  target_compile_options(tarn_settings INTERFACE -Werror)
endif()
if(TARN_SANITIZE)
  target_compile_options(tarn_settings INTERFACE -fsanitize=${TARN_SANITIZE} -fno-sanitize-recover=all
                                                 -fno-omit-frame-pointer)
  target_link_options(tarn_settings INTERFACE -fsanitize=${TARN_SANITIZE})
endif()
if(TARN_FUZZ)
  # Coverage for libFuzzer in every library; the fuzz targets add the fuzzer's own main.
  target_compile_options(tarn_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                 -fno-omit-frame-pointer)
  target_link_options(tarn_settings INTERFACE -fsanitize=address,undefined)
endif()

# tarn_library(NAME SOURCES ... [DEPS ...]): a static library tarn_NAME.
function(tarn_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(tarn_${name} STATIC ${ARG_SOURCES})
  target_link_libraries(tarn_${name} PUBLIC tarn_settings ${ARG_DEPS})
endfunction()

# tarn_vectorise(TARGET): the target's pixel loops are written plainly for the compiler to
# vectorise, which -O2's cost model declines for loops that need alias checks; optimised builds
# of it take -O3.
function(tarn_vectorise target)
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE -O3)
  endif()
endfunction()

# tarn_test(NAME SOURCES ... [DEPS ...] [LABELS ...]): a GoogleTest executable whose tests CTest
# lists one by one; each fails when it leaves anything in the temporary folder.
function(tarn_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  if(NOT TARGET tarn_temp_folder_check)
    # Objects, not a static library: nothing refers to the check, it registers itself.
    add_library(tarn_temp_folder_check OBJECT
                ${PROJECT_SOURCE_DIR}/tests/support/TempFolderCheck.cpp)
    target_link_libraries(tarn_temp_folder_check PRIVATE tarn_settings GTest::gtest)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tarn_settings ${ARG_DEPS} GTest::gtest GTest::gmock
                                        GTest::gtest_main tarn_temp_folder_check)
  # gtest_discover_tests flattens a list of labels to its first one, so the labels are joined
  # into one ("unit-threads"); ctest -L takes a pattern, so -L unit and -L threads both match.
  set(label unit)
  foreach(extra IN LISTS ARG_LABELS)
    string(APPEND label "-${extra}")
  endforeach()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${label}
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if("threads" IN_LIST ARG_LABELS)
    set_property(GLOBAL APPEND PROPERTY TARN_THREAD_TESTS ${name})
  endif()
endfunction()

# The thread-sanitizer configuration builds only the executables of the threaded tests; call
# after every test folder has been added.
function(tarn_thread_tests_target)
  get_property(tests GLOBAL PROPERTY TARN_THREAD_TESTS)
  add_custom_target(thread_tests)
  if(tests)
    add_dependencies(thread_tests ${tests})
  endif()
endfunction()
include(${CMAKE_CURRENT_LIST_DIR}/TarnFuzz.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/TarnResources.cmake)
