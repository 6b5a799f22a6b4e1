# kestrion_fuzzer(<target> SOURCE <file> LIBRARIES <library>... CORPUS <folder>
#                 TEST <name> SECONDS <n> [OPTIONS <libFuzzer option>...] [LINK <library>...])
#
# A libFuzzer target: its own source with the sources of the libraries it drives built into it
# with coverage instrumentation, so the fuzzer is guided by the code its input reaches and not
# only by its own few lines. The test runs it for SECONDS on a copy of the corpus, so the
# inputs it finds never land in the sources; longer runs are tools or benchmarks.
function(kestrion_fuzzer target)
  cmake_parse_arguments(PARSE_ARGV 1 FUZZ "" "SOURCE;CORPUS;TEST;SECONDS" "LIBRARIES;OPTIONS;LINK")
  set(instrumented_sources)
  set(instrumented_includes)
  foreach(library ${FUZZ_LIBRARIES})
    get_target_property(library_dir ${library} SOURCE_DIR)
    get_target_property(library_sources ${library} SOURCES)
    get_target_property(library_includes ${library} INCLUDE_DIRECTORIES)
    list(APPEND instrumented_includes ${library_includes})
    foreach(source ${library_sources})
      if(IS_ABSOLUTE ${source})
        list(APPEND instrumented_sources ${source})
      else()
        list(APPEND instrumented_sources ${library_dir}/${source})
      endif()
    endforeach()
  endforeach()

  add_executable(${target} ${FUZZ_SOURCE} ${instrumented_sources})
  target_include_directories(${target} PRIVATE ${instrumented_includes})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  if(FUZZ_LINK)
    target_link_libraries(${target} PRIVATE ${FUZZ_LINK})
  endif()

  set(work_corpus ${CMAKE_CURRENT_BINARY_DIR}/${FUZZ_TEST}_corpus)
  string(JOIN " " options -max_total_time=${FUZZ_SECONDS} -timeout=25 ${FUZZ_OPTIONS})
  add_test(NAME ${FUZZ_TEST}
    COMMAND sh -c "rm -rf \"$1\" && cp -R \"$2\" \"$1\" && exec \"$3\" ${options} \"$1\""
            ${FUZZ_TEST} ${work_corpus} ${FUZZ_CORPUS} $<TARGET_FILE:${target}>)
  math(EXPR test_timeout "${FUZZ_SECONDS} + 120")
  set_tests_properties(${FUZZ_TEST} PROPERTIES TIMEOUT ${test_timeout})
endfunction()
