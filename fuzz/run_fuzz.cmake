# Runs a fuzzer: first every committed regression input once, then a bounded fuzzing
# session over a scratch corpus seeded from corpus/ and regressions/. Any crash, sanitizer
# report or undocumented exception makes the fuzzer exit non-zero, which fails the test; the
# input that did it is left in ${WORK}/ as crash-* to be committed under regressions/.
# OPTIONS (optional) are more libFuzzer flags for the fuzzing session.
foreach(var NAME FUZZER SEEDS REGRESSIONS WORK SECONDS MAX_LEN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzz.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK}/corpus)
file(MAKE_DIRECTORY ${WORK}/corpus)

file(GLOB regressions LIST_DIRECTORIES false ${REGRESSIONS}/*)
list(FILTER regressions EXCLUDE REGEX "README")
if(regressions)
  execute_process(COMMAND ${FUZZER} ${regressions} RESULT_VARIABLE replay)
  if(NOT replay EQUAL 0)
    message(FATAL_ERROR "${NAME}: a regression input fails again (exit ${replay})")
  endif()
endif()

execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=${MAX_LEN}
          -print_final_stats=1 ${OPTIONS} -artifact_prefix=${WORK}/ ${WORK}/corpus ${SEEDS} ${REGRESSIONS}
  RESULT_VARIABLE fuzzing)
if(NOT fuzzing EQUAL 0)
  file(GLOB findings ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-*)
  message(FATAL_ERROR "${NAME}: finding (exit ${fuzzing}): ${findings}")
endif()
