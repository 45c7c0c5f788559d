# The frame log (src/media/frame_log.h): a measuring build that records the time of every frame, the key events
# and the sounds, and writes them out at exit for tools/perf_report.sh. Off unless asked for: the shipped game and
# the play command never have it, and without it the hooks compile to nothing.
option(MORVIK_FRAME_LOG "Record frame, key and sound times for the performance report (measuring builds only)" OFF)
if(MORVIK_FRAME_LOG)
  add_compile_definitions(MORVIK_FRAME_LOG)
endif()
