# Every target of the project builds warning-free with g++ and clang++.
add_compile_options(-Wall -Wextra -Wpedantic -Werror)

# Every configuration reads this file; the ThreadSanitizer and fuzzing options live beside it.
include(${CMAKE_CURRENT_LIST_DIR}/ThreadSanitizer.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Fuzzing.cmake)
