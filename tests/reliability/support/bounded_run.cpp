#include "support/bounded_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace sqp::testing {

namespace {

// Under valgrind a run is tens of times slower than native; the alarm is
// there to catch a hang, not a slow machine.
#ifdef SQP_ALARM_FACTOR
constexpr unsigned kAlarmFactor = SQP_ALARM_FACTOR;
#else
constexpr unsigned kAlarmFactor = 1;
#endif

bool WriteAll(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t count = write(fd, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

}  // namespace

BoundedRun RunBounded(const std::function<std::string()>& body, unsigned seconds) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    close(pipe_fds[0]);
    alarm(seconds * kAlarmFactor);
    std::string answer;
    int status = 0;
    try {
      answer = body();
    } catch (const std::exception& failure) {
      answer = std::string("escaped: ") + failure.what();
      status = 3;
    } catch (...) {
      answer = "escaped: an unknown failure";
      status = 3;
    }
    _exit(WriteAll(pipe_fds[1], answer) ? status : 4);
  }
  close(pipe_fds[1]);
  BoundedRun run;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = read(pipe_fds[0], buffer, sizeof(buffer));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    run.answer.append(buffer, static_cast<std::size_t>(count));
  }
  close(pipe_fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    run.completed = true;
  } else if (WIFSIGNALED(status)) {
    run.how = WTERMSIG(status) == SIGALRM ? "hung: ended by the alarm"
                                          : std::string("crashed: ") + strsignal(WTERMSIG(status));
  } else {
    run.how = "exited with status " + std::to_string(WEXITSTATUS(status));
  }
  return run;
}

}  // namespace sqp::testing
