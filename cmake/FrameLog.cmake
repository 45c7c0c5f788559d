# The frame log (src/media/frame_log.h), for MORVIK_FRAME_LOG: a measuring build that records the time of every
# frame, the key events and the sounds, and writes them out at exit for tools/perf_report.sh. The shipped game and
# the play command never have it, and without it the hooks compile to nothing.
add_compile_definitions(MORVIK_FRAME_LOG)
