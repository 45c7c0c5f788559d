# AddressSanitizer and UndefinedBehaviorSanitizer, for MORVIK_SANITIZE (the debug preset, the test
# configuration). Undefined behaviour stops the run instead of printing and going on, so a test cannot pass
# over it.
set(MORVIK_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${MORVIK_SANITIZER_FLAGS})
add_link_options(${MORVIK_SANITIZER_FLAGS})

# Bounds-checked standard containers: an index out of range stops the run too.
add_compile_definitions(_GLIBCXX_ASSERTIONS)
