# ThreadSanitizer, for MORVIK_TSAN (the tsan preset, build/tsan): the tests where the game thread and the audio
# thread meet (the mixer, its rings, the SoftMix driver on SDL's audio thread) run under it. It cannot be combined
# with AddressSanitizer, which the ordinary test configuration uses.
if(MORVIK_SANITIZE)
  message(FATAL_ERROR "MORVIK_TSAN cannot be combined with MORVIK_SANITIZE")
endif()
set(MORVIK_TSAN_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
add_compile_options(${MORVIK_TSAN_FLAGS})
add_link_options(${MORVIK_TSAN_FLAGS})
