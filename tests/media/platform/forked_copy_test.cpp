// A forked copy of the game (SDL shows its message box from one) that ends by exit() leaves at once: it neither
// runs the game's exit handlers nor waits for threads that only the original has.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "media/platform/media.h"
#include "media/platform/timer.h"

namespace {

// Where the exit handler below reports that it ran; -1 outside the test.
int exitProbe = -1;

void ProbeExit() {
  if (exitProbe >= 0) {
    [[maybe_unused]] ssize_t written = write(exitProbe, "x", 1);
  }
}

class ForkedCopy : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(StartMedia(&error)) << error;
  }
  void TearDown() override { StopMedia(); }
};

TEST_F(ForkedCopy, EndsByExitWithoutTheGamesExitHandlers) {
  // The frame timer runs, as it does when start-up fails after it was made: its thread is not in the copy.
  std::shared_ptr<TTimer> timer = TTimer::Create(50);
  ASSERT_NE(timer, nullptr);
  int pipeEnds[2];
  ASSERT_EQ(pipe2(pipeEnds, O_NONBLOCK), 0);
  static bool probeRegistered = false;
  if (!probeRegistered) {
    probeRegistered = true;
    std::atexit(ProbeExit);
  }
  exitProbe = pipeEnds[1];

  EndForkedCopiesAtExit();
  pid_t copy = fork();
  ASSERT_GE(copy, 0);
  if (copy == 0) {
    std::exit(7);  // as libX11 does when the copy loses its display
  }

  int status = 0;
  pid_t ended = 0;
  for (int waited = 0; waited < 1000 && ended == 0; waited++) {
    ended = waitpid(copy, &status, WNOHANG);
    if (ended == 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  if (ended == 0) {
    kill(copy, SIGKILL);
    waitpid(copy, &status, 0);
    ADD_FAILURE() << "the copy hung on its way out";
  } else {
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
  }
  char byte = 0;
  EXPECT_EQ(read(pipeEnds[0], &byte, 1), -1) << "the copy ran the game's exit handlers";
  exitProbe = -1;
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

}  // namespace
