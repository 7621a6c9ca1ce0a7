# tarn_fuzz_target(NAME SOURCES ... DEPS ... CORPUS DIR): a fuzz target over
# LLVMFuzzerTestOneInput. With TARN_FUZZ (clang) it is a libFuzzer binary whose CTest entry runs
# a short smoke (label fuzz); otherwise it is linked with the standalone driver, whose CTest entry
# replays the corpus and a fixed number of seeded mutations of it (label unit), so every build
# exercises the target.
set(TARN_FUZZ_SECONDS 20 CACHE STRING "Seconds of each libFuzzer smoke run in the suite")

function(tarn_fuzz_target name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE tarn_settings ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY TARN_FUZZ_TARGETS ${name})
  if(TARN_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    add_test(NAME ${name}_smoke
             COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                     $<TARGET_FILE:${name}> -max_total_time=${TARN_FUZZ_SECONDS} -rss_limit_mb=2048
                     -timeout=10 -print_final_stats=1 ${work} ${ARG_CORPUS})
    set_tests_properties(${name}_smoke PROPERTIES LABELS fuzz FIXTURES_REQUIRED ${name}_corpus)
    add_test(NAME ${name}_corpus_dir COMMAND ${CMAKE_COMMAND} -E make_directory ${work})
    set_tests_properties(${name}_corpus_dir PROPERTIES LABELS fuzz FIXTURES_SETUP ${name}_corpus)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/StandaloneMain.cpp)
    add_test(NAME ${name}_replay COMMAND ${name} --mutations=20000 ${ARG_CORPUS})
    set_tests_properties(${name}_replay PROPERTIES LABELS unit)
  endif()
endfunction()
