# window_fuzz: the window's receive path (framing, classification, dispatch, every answer
# handler, the menu engine, the dialogs and the memory scan) under libFuzzer, ASan and UBSan.
# The program's own code carries libFuzzer's coverage hooks in this build; only the fuzzer's
# link takes libFuzzer itself, so the tests of the same build keep their own main().
foreach(target corvane_cat corvane_core)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
endforeach()

add_executable(window_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/window_fuzz.cpp)
target_link_libraries(window_fuzz PRIVATE corvane_core corvane_sim)
target_link_options(window_fuzz PRIVATE -fsanitize=fuzzer)

set(CORVANE_WINDOW_FUZZ_SECONDS 40 CACHE STRING "Fuzzing time of the window_fuzz test, in seconds")
add_test(NAME window_fuzz
  COMMAND ${CMAKE_COMMAND}
          -DNAME=window_fuzz -DMAX_LEN=512
          # Qt's caches grow now and then, so the leak check after an input that allocated
          # more than it freed would scan the whole heap nearly every time; leaks are looked
          # for once, when the fuzzer ends.
          -DOPTIONS=-detect_leaks=0
          -DFUZZER=$<TARGET_FILE:window_fuzz>
          -DSEEDS=${CMAKE_CURRENT_SOURCE_DIR}/window/corpus
          -DREGRESSIONS=${CMAKE_CURRENT_SOURCE_DIR}/window/regressions
          -DWORK=${CMAKE_CURRENT_BINARY_DIR}/window_run
          -DSECONDS=${CORVANE_WINDOW_FUZZ_SECONDS}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/run_fuzz.cmake)
set_tests_properties(window_fuzz PROPERTIES TIMEOUT 120 LABELS fuzz
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
