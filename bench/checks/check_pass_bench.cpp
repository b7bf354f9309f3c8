// One check pass, as a keystroke in a folder field runs it, against the bare
// system calls it needs (its floor). Each pass row also times its floor,
// alternating with the pass in the same loop, and reports the ratio of the
// medians as "ratio" (of the means as "ratio_mean").
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "bench_folders.h"
#include "floor_calls.h"
#include "support/wizard_session.h"

namespace sqp::bench {

namespace {

enum class Sample {
  kFound,
  kNone,
  kMissingFolder,
  kCaseDiffers,
  kBigFolderMiss,
  kBigFolderMissByReading,  // a floor only: the big folder read three times
  kFolderCase10000,         // the client folder typed in lower case in a 10,000-entry parent
  kHalfTyped10000,          // its first 15 letters typed there
  kFolderCase100000,
  kHalfTyped100000,
  kDriveLetter,    // "C:\UO" through the Wine prefix
  kDriveResolved,  // the same folder by its POSIX path
};

std::string WideClient(int entries, std::size_t typed_letters) {
  return Folders().WideParent(entries) + "/" +
         std::string(BenchFolders::kWideClientName).substr(0, typed_letters);
}

std::string TypedInLowerCase(int entries) {
  return Folders().WideParent(entries) + "/ultimaonlineclassic";
}
enum class Check { kClient, kCD };

std::string FolderOf(Sample sample) {
  const BenchFolders& folders = Folders();
  switch (sample) {
    case Sample::kFound:
      return folders.Found();
    case Sample::kNone:
      return folders.None();
    case Sample::kMissingFolder:
      return folders.Missing();
    case Sample::kCaseDiffers:
      return folders.CaseDiffers();
    case Sample::kBigFolderMiss:
    case Sample::kBigFolderMissByReading:
      return folders.BigFolder();
    case Sample::kFolderCase10000:
      return TypedInLowerCase(10000);
    case Sample::kHalfTyped10000:
      return WideClient(10000, 15);
    case Sample::kFolderCase100000:
      return TypedInLowerCase(100000);
    case Sample::kHalfTyped100000:
      return WideClient(100000, 15);
    case Sample::kDriveLetter:
      return "C:\\UO";
    case Sample::kDriveResolved:
      return folders.Prefix() + "/drive_c/UO";
  }
  return {};
}

CheckFloor FloorOf(Sample sample) {
  const BenchFolders& folders = Folders();
  switch (sample) {
    case Sample::kFound:
      return CheckFloor::Found(folders.Found());
    case Sample::kNone:
      return CheckFloor::NotThere(folders.None());
    case Sample::kMissingFolder:
      return CheckFloor::MissingFolder(folders.Root(), BenchFolders::kMissingName);
    case Sample::kCaseDiffers:
      return CheckFloor::CaseDiffers(folders.CaseDiffers(), BenchFolders::kCaseNames);
    case Sample::kBigFolderMiss:
      return CheckFloor::NotThereBySpelling(folders.BigFolder());
    case Sample::kBigFolderMissByReading:
      return CheckFloor::NotThere(folders.BigFolder());
    case Sample::kFolderCase10000:
      return CheckFloor::FolderCaseDiffers(TypedInLowerCase(10000), WideClient(10000, 19));
    case Sample::kHalfTyped10000:
      return CheckFloor::HalfTyped(WideClient(10000, 15));
    case Sample::kFolderCase100000:
      return CheckFloor::FolderCaseDiffers(TypedInLowerCase(100000), WideClient(100000, 19));
    case Sample::kHalfTyped100000:
      return CheckFloor::HalfTyped(WideClient(100000, 15));
    case Sample::kDriveLetter:
      return CheckFloor::FoundThroughLink(folders.Prefix() + "/drive_c/UO",
                                          folders.Prefix() + "/dosdevices/c:");
    case Sample::kDriveResolved:
      return CheckFloor::Found(folders.Prefix() + "/drive_c/UO");
  }
  return CheckFloor::Found(folders.Found());
}

bool ShouldPass(Sample sample) {
  switch (sample) {
    case Sample::kFound:
    case Sample::kCaseDiffers:
    case Sample::kFolderCase10000:
    case Sample::kFolderCase100000:
    case Sample::kDriveLetter:
    case Sample::kDriveResolved:
      return true;
    default:
      return false;
  }
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// Where the pass runs: on the program's worker threads with the window
// waiting for it, as both programs run it, or on the window's thread alone.
enum class Runner { kWorkers, kWindowThread };

void RunPass(benchmark::State& state, Check check, Sample sample, Runner runner) {
  const std::string folder = FolderOf(sample);
  std::vector<std::string> arguments = {Folders().PatchFile(), folder, folder};
  std::optional<testing::WizardSession> session;
  if (runner == Runner::kWorkers) {
    session.emplace(std::move(arguments), testing::WizardSession::OnWorkerThreads{});
  } else {
    session.emplace(std::move(arguments));
  }
  testing::WizardSession& wizard = *session;
  TSQPMainForm& form = wizard.Form();
  // Each pass is the user's edit of the whole text, as a keystroke is.
  widgets::Edit& field = check == Check::kClient ? *form.UOClientPathEdit : *form.UOCDPathEdit;
  const CheckFloor floor = FloorOf(sample);
  const bool passed =
      check == Check::kClient ? wizard.Unit().UOClientFilesOk : wizard.Unit().UOCDFilesOk;
  if (passed != ShouldPass(sample)) {
    state.SkipWithError("the check did not give the expected answer");
    return;
  }
  if (check == Check::kCD && passed && form.UOCDTypeResultLabel->Text() != "The Second Age" &&
      sample != Sample::kCaseDiffers) {
    state.SkipWithError("the CD check did not name the edition");
    return;
  }

  // Per-iteration times: on a shared machine a preempted iteration drags
  // the mean, so the ratio is taken of the medians.
  std::vector<double> pass_seconds;
  std::vector<double> floor_seconds;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    if (check == Check::kClient) {
      benchmark::DoNotOptimize(floor.Client());
    } else {
      benchmark::DoNotOptimize(floor.CD());
    }
    const Clock::time_point floor_done = Clock::now();
    wizard.ReplaceText(field, folder);
    const Clock::time_point pass_done = Clock::now();
    floor_seconds.push_back(Seconds(floor_done - start));
    pass_seconds.push_back(Seconds(pass_done - floor_done));
    state.SetIterationTime(pass_seconds.back());
  }
  const double pass_median = Median(pass_seconds);
  const double floor_median = Median(floor_seconds);
  const double pass_total = std::accumulate(pass_seconds.begin(), pass_seconds.end(), 0.0);
  const double floor_total = std::accumulate(floor_seconds.begin(), floor_seconds.end(), 0.0);
  state.counters["pass_med_us"] = pass_median * 1e6;
  state.counters["floor_med_us"] = floor_median * 1e6;
  state.counters["ratio"] = floor_median > 0 ? pass_median / floor_median : 0;
  state.counters["ratio_mean"] = floor_total > 0 ? pass_total / floor_total : 0;
}

void RunFloor(benchmark::State& state, Check check, Sample sample) {
  const CheckFloor floor = FloorOf(sample);
  for (auto _ : state) {
    if (check == Check::kClient) {
      benchmark::DoNotOptimize(floor.Client());
    } else {
      benchmark::DoNotOptimize(floor.CD());
    }
  }
}

void RegisterAll() {
  const struct {
    const char* name;
    Sample sample;
  } samples[] = {{"found", Sample::kFound},
                 {"none", Sample::kNone},
                 {"missing_folder", Sample::kMissingFolder},
                 {"case_differs", Sample::kCaseDiffers},
                 {"miss_in_10000_entries", Sample::kBigFolderMiss},
                 {"folder_case_in_10000_entries", Sample::kFolderCase10000},
                 {"half_typed_in_10000_entries", Sample::kHalfTyped10000},
                 {"folder_case_in_100000_entries", Sample::kFolderCase100000},
                 {"half_typed_in_100000_entries", Sample::kHalfTyped100000},
                 {"drive_letter", Sample::kDriveLetter},
                 {"drive_resolved", Sample::kDriveResolved}};
  const struct {
    const char* name;
    Check check;
  } checks[] = {{"ClientPass", Check::kClient}, {"CDPass", Check::kCD}};
  for (const auto& check : checks) {
    for (const auto& sample : samples) {
      const std::string suffix = std::string("/") + sample.name;
      benchmark::RegisterBenchmark((std::string(check.name) + suffix).c_str(), RunPass, check.check,
                                   sample.sample, Runner::kWorkers)
          ->UseManualTime()
          ->Unit(benchmark::kMicrosecond);
      // The same without the hand-off to a worker and back.
      benchmark::RegisterBenchmark((std::string(check.name) + "OnWindowThread" + suffix).c_str(),
                                   RunPass, check.check, sample.sample, Runner::kWindowThread)
          ->UseManualTime()
          ->Unit(benchmark::kMicrosecond);
      const std::string floor_name = check.check == Check::kClient ? "ClientFloor" : "CDFloor";
      benchmark::RegisterBenchmark((floor_name + suffix).c_str(), RunFloor, check.check,
                                   sample.sample)
          ->Unit(benchmark::kMicrosecond);
    }
    // What the miss would cost if the folder were read for each name.
    const std::string floor_name = check.check == Check::kClient ? "ClientFloor" : "CDFloor";
    benchmark::RegisterBenchmark((floor_name + "/miss_in_10000_entries_by_reading").c_str(),
                                 RunFloor, check.check, Sample::kBigFolderMissByReading)
        ->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace

}  // namespace sqp::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // Drive letters name folders of this prefix only.
  setenv("WINEPREFIX", sqp::bench::Folders().Prefix().c_str(), 1);  // made before any timing
  sqp::bench::RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
