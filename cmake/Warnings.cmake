# Every target of the project builds warning-free with g++ and clang++.
add_compile_options(-Wall -Wextra -Wpedantic -Werror)
