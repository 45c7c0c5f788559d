# Fuzzing, for MORVIK_FUZZ (the fuzz preset, build/fuzz, clang only): the game library is built with libFuzzer's
# coverage hooks and AddressSanitizer and UndefinedBehaviorSanitizer, and tests/fuzz links one libFuzzer program
# per reader of the game's files.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MORVIK_FUZZ needs clang++ (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
endif()
if(MORVIK_SANITIZE OR MORVIK_TSAN)
  message(FATAL_ERROR "MORVIK_FUZZ brings its own sanitizers; leave MORVIK_SANITIZE and MORVIK_TSAN off")
endif()
# Undefined behaviour stops the run, so the fuzzer sees it as a crash and keeps the input.
set(MORVIK_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-fsanitize=fuzzer-no-link ${MORVIK_FUZZ_SANITIZERS})
add_link_options(${MORVIK_FUZZ_SANITIZERS})
add_compile_definitions(_GLIBCXX_ASSERTIONS)
