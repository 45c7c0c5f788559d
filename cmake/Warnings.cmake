# Every target of the project builds warning-free with g++ and clang++; MORVIK_WERROR makes a warning stop the
# build (the developers' presets and CI), while a packager's compiler only reports it.
add_compile_options(-Wall -Wextra -Wpedantic)
if(MORVIK_WERROR)
  add_compile_options(-Werror)
endif()
