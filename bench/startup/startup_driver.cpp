// Start-up of the program against a bare Qt Widgets window, run alternately:
//   startup_driver RUNS SQPATCH_UNTIL_SHOWN BARE_WINDOW PATCH CLIENT CD
// The bare window runs twice per round: empty (the yardstick) and with one
// label (a window that shows text at all).
// Each run is timed from just before the spawn to the child's first expose
// (CLOCK_MONOTONIC on both sides); peak memory is the child's maximum
// resident set size as wait4 reports it. The offscreen platform is used.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double ms = 0;
  double peak_mib = 0;
};

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

Sample RunOnce(const std::vector<std::string>& command) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  const long long start = MonotonicNs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) throw std::runtime_error("cannot start " + command[0]);

  std::string output;
  char buffer[256];
  ssize_t got = 0;
  while ((got = read(out[0], buffer, sizeof buffer)) > 0) output.append(buffer, got);
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);

  long long shown = 0;
  const std::size_t at = output.find("window_shown_ns ");
  if (at != std::string::npos) shown = std::atoll(output.c_str() + at + 16);
  if (shown == 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error(command[0] + " did not show its window and exit cleanly");
  }
  return {static_cast<double>(shown - start) / 1e6, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
  double median = 0;
  double min = 0;
  double max = 0;
};

Summary Summarize(const std::vector<double>& values) {
  return {Median(values), *std::min_element(values.begin(), values.end()),
          *std::max_element(values.begin(), values.end())};
}

void PrintRow(const char* name, const Summary& time, const Summary& memory) {
  std::printf("| %-12s | %8.1f | %8.1f | %8.1f | %8.2f | %8.2f |\n", name, time.median, time.min,
              time.max, memory.median, memory.max);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: %s RUNS SQPATCH_UNTIL_SHOWN BARE_WINDOW PATCH CLIENT CD\n",
                 argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::vector<std::string> product = {argv[2], argv[4], argv[5], argv[6]};
  const std::vector<std::string> bare = {argv[3]};
  const std::vector<std::string> labelled = {argv[3], "--label"};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt warns on every start without one.
  std::string runtime_dir;
  if (getenv("XDG_RUNTIME_DIR") == nullptr) {
    char folder[] = "/tmp/sqp-startup-XXXXXX";
    if (mkdtemp(folder) != nullptr) {
      runtime_dir = folder;
      setenv("XDG_RUNTIME_DIR", folder, 1);
    }
  }

  try {
    // One of each first, unmeasured: the page cache then holds both.
    RunOnce(product);
    RunOnce(bare);
    RunOnce(labelled);
    std::vector<double> product_ms, bare_ms, labelled_ms, product_mib, bare_mib, labelled_mib;
    for (int i = 0; i < runs; ++i) {
      const Sample a = RunOnce(product);
      const Sample b = RunOnce(bare);
      const Sample c = RunOnce(labelled);
      product_ms.push_back(a.ms);
      product_mib.push_back(a.peak_mib);
      bare_ms.push_back(b.ms);
      bare_mib.push_back(b.peak_mib);
      labelled_ms.push_back(c.ms);
      labelled_mib.push_back(c.peak_mib);
    }
    const Summary pt = Summarize(product_ms), bt = Summarize(bare_ms);
    const Summary pm = Summarize(product_mib), bm = Summarize(bare_mib);
    const Summary lt = Summarize(labelled_ms), lm = Summarize(labelled_mib);
    std::printf("%d runs of each, alternating; time from spawn to the first expose\n\n", runs);
    std::printf("| program      | ms (med) | ms (min) | ms (max) | MiB (med)| MiB (max)|\n");
    std::printf("|--------------|---------:|---------:|---------:|---------:|---------:|\n");
    PrintRow("sqpatch", pt, pm);
    PrintRow("bare window", bt, bm);
    PrintRow("bare + label", lt, lm);
    std::printf(
        "\nratio sqpatch / bare window: start-up %.2fx (median), %.2fx (min); "
        "peak memory %.2fx (median)\n",
        pt.median / bt.median, pt.min / bt.min, pm.median / bm.median);
    std::printf(
        "ratio sqpatch / bare window with a label: start-up %.2fx (median), %.2fx (min); "
        "peak memory %.2fx (median)\n",
        pt.median / lt.median, pt.min / lt.min, pm.median / lm.median);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "startup_driver: %s\n", failure.what());
    if (!runtime_dir.empty()) rmdir(runtime_dir.c_str());
    return 1;
  }
  if (!runtime_dir.empty()) rmdir(runtime_dir.c_str());
  return 0;
}
