# moravin_add_gtests(<program> NAME <name> [SHARDS <n>] [ARGS ...] [ENVIRONMENT ...]
#                    [LABELS ...] [TIMEOUT <seconds>] [WORKING_DIRECTORY <dir>])
#
# Registers a GoogleTest program with ctest as a few processes rather than one per test. A
# sanitized test process spends about 0.09 s starting and checking for leaks at exit, which
# 800 tests used to pay 800 times; a program now pays it once per shard, and its leak check at
# exit still covers every test it ran. GoogleTest's own sharding splits the program's tests
# among SHARDS processes (named NAME.1/3, NAME.2/3, ...), so that the long programs run beside
# each other under ctest -j. GTEST_BRIEF keeps a failing shard's log to its failures.
#
# One test alone: run the program with --gtest_filter=Suite.Test.
function(moravin_add_gtests program)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "NAME;SHARDS;TIMEOUT;WORKING_DIRECTORY"
                        "ARGS;ENVIRONMENT;LABELS")
  if(NOT arg_SHARDS)
    set(arg_SHARDS 1)
  endif()
  if(NOT arg_WORKING_DIRECTORY)
    set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  math(EXPR last "${arg_SHARDS} - 1")
  foreach(index RANGE ${last})
    math(EXPR number "${index} + 1")
    set(test ${arg_NAME}.${number}/${arg_SHARDS})
    add_test(NAME ${test} COMMAND ${program} ${arg_ARGS} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
    set(environment GTEST_TOTAL_SHARDS=${arg_SHARDS} GTEST_SHARD_INDEX=${index} GTEST_BRIEF=1
                    ${arg_ENVIRONMENT})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
    if(arg_LABELS)
      set_tests_properties(${test} PROPERTIES LABELS "${arg_LABELS}")
    endif()
    if(arg_TIMEOUT)
      set_tests_properties(${test} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    endif()
  endforeach()
endfunction()
