// Benchmarks of what a learner waits for: the record file, the progress
// string, the page commands of a course run, and the issue export. Everything
// runs on the headless platform, whose files are real files in a temporary
// folder, written as the program writes them (flushed to the disk).
//
// After the benchmarks a short table gives each figure beside its target; the
// progress string is compared with a reference in the same run.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/numbers.h"
#include "player/frm_main.h"
#include "player/progress.h"
#include "records/record_file.h"
#include "records/value_encoding.h"
#include "review/issue_export.h"
#include "startup/app.h"
#include "startup/program_windows.h"
#include "startup/settings.h"

namespace mirvane {
namespace {

constexpr int kPaths = 50;
constexpr int kObjects = 50;  // per lesson path
constexpr int kPoints = 5;    // per learning object
constexpr int kCourseRecordItems = 2600;
constexpr int kCourseCommands = 10'000;
constexpr int kComments = 1000;

// A program on the headless platform with a learner logged in.
struct Bench {
  HeadlessPlatform host;
  App app;

  explicit Bench(const std::string& settings) : host("C:\\Course\\"), app(host.platform()) {
    app.AppFolder = host.files().ProgramFolder();
    app.ContentFolder = app.AppFolder;
    app.Language = "en";
    app.CourseCode = "ABC";
    app.DataFolder = "C:\\e-Learning\\ABC.coursedata\\";
    host.files().CreateFolder("C:\\e-Learning\\");
    host.files().CreateFolder(app.DataFolder);
    host.files().WriteFile(app.AppFolder + "mirvane.ini",
                           "coursecode=ABC\r\nlanguage=en\r\n" + settings);
    RegisterProgramWindows(app);
    app.CurrentUser = "learner";
    ReadRecord(app, "exists");
  }

  // Puts bytes in a file without the flush to the disk: setting up, not measured.
  void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(host.HostPath(path), std::ios::binary | std::ios::trunc) << bytes;
  }
};

// The settings of a course of kPaths lesson paths of kObjects objects of
// kPoints screens; the last screen of each path's last object is a test of
// its path.
std::string CourseSettings() {
  std::string s = "totallpaths=" + std::to_string(kPaths) + "\r\nmasteryscore=70\r\n";
  std::string forbidden = "forbiddenscreens=";
  for (int i = 1; i <= kPaths; ++i) {
    s += "totallobjects" + std::to_string(i) + "=" + std::to_string(kObjects) + "\r\n";
    for (int j = 1; j <= kObjects; ++j) {
      s += "totallpoints" + std::to_string(i) + "_" + std::to_string(j) + "=" +
           std::to_string(kPoints) + "\r\n";
    }
    const std::string test =
        std::to_string(i) + "_" + std::to_string(kObjects) + "_" + std::to_string(kPoints);
    forbidden += "." + test + ".";
    s += "evaluates" + test + "=" + std::to_string(i) + "\r\n";
  }
  return s + forbidden + "\r\n";
}

// A record of `items` items in the layout the player leaves: the statuses
// of the course (lesson paths complete, objects begun), then scores.
std::string RecordBytes(int items) {
  std::vector<std::pair<std::string, std::string>> all;
  for (int i = 1; i <= kPaths; ++i) all.emplace_back("l" + std::to_string(i), "2");
  for (int i = 1; i <= kPaths; ++i) {
    for (int j = 1; j <= kObjects; ++j) {
      all.emplace_back("o" + std::to_string(i) + "_" + std::to_string(j), j % 3 == 0 ? "2" : "1");
    }
  }
  for (int i = 1; static_cast<int>(all.size()) < items; ++i) {
    all.emplace_back("score" + std::to_string(i) + "_" + std::to_string(kObjects), "80");
  }
  all.resize(static_cast<std::size_t>(items));
  std::string text;
  for (const auto& [key, value] : all) {
    text += "\r" + EncodeValue(NormaliseRecordKey(key)) + "^" + EncodeValue(value);
  }
  return text + "\r\n";
}

void PutRecord(Bench& b, int items) {
  b.Put(RecordFilePath(b.app, b.app.CurrentUser), RecordBytes(items));
}

void BM_ReadRecord(benchmark::State& state) {
  Bench b("");
  PutRecord(b, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ReadRecord(b.app, "o25_25"));
}
BENCHMARK(BM_ReadRecord)->Arg(50)->Arg(500)->Arg(2600)->Unit(benchmark::kMicrosecond);

void BM_WriteRecord(benchmark::State& state) {
  Bench b("");
  PutRecord(b, static_cast<int>(state.range(0)));
  int n = 0;
  for (auto _ : state) WriteRecord(b.app, "o25_25", ++n % 2 ? "1" : "2");
}
BENCHMARK(BM_WriteRecord)->Arg(50)->Arg(500)->Arg(2600)->Unit(benchmark::kMicrosecond);

// The reference: the progress string as a straightforward program makes it,
// reading the record file once for every key.
std::string ReferenceProgressString(App& app) {
  auto count = [&](const std::string& key) -> long {
    std::optional<double> n =
        ConvertRegionalNumber(ReadSetting(app, key), app.platform.clock.Regional());
    if (!n || !(*n >= 1) || *n > 32767) return 0;
    return static_cast<long>(RoundHalfEven(*n));
  };
  auto status = [&](const std::string& key) {
    std::string v = ReadRecord(app, key);
    return v.empty() ? std::string("0") : v;
  };
  std::string units;
  std::string topics;
  long paths = count("totallpaths");
  for (long i = 1; i <= paths; ++i) {
    const std::string n = std::to_string(i);
    units += status("l" + n);
    topics += "&sTopics" + n + "=";
    long objects = count("totallobjects" + n);
    for (long j = 1; j <= objects; ++j) topics += status("o" + n + "_" + std::to_string(j));
  }
  std::string s = app.CourseStarted ? "showintro=false&" : "";
  s += app.AudioEnabled ? "bMute=true" : "bMute=false";
  s += "&CurrentUnit=" + app.CurrentLPath + "&sUnits=" + units + topics + "&";
  return s;
}

// The 50 x 50 course with every status stored (2,550 keys).
struct ProgressBench : Bench {
  ProgressBench() : Bench(CourseSettings()) {
    PutRecord(*this, kPaths + kPaths * kObjects);
    app.CurrentLPath = "7";
    if (ProgressString(app) != ReferenceProgressString(app)) {
      throw std::logic_error("the progress string differs from the reference");
    }
  }
};

void BM_ProgressString(benchmark::State& state) {
  ProgressBench b;
  for (auto _ : state) benchmark::DoNotOptimize(ProgressString(b.app));
}
BENCHMARK(BM_ProgressString)->Unit(benchmark::kMillisecond);

void BM_ProgressStringReference(benchmark::State& state) {
  ProgressBench b;
  for (auto _ : state) benchmark::DoNotOptimize(ReferenceProgressString(b.app));
}
BENCHMARK(BM_ProgressStringReference)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The addresses a course's pages send while a learner works through it, in
// order: each learning object is opened, its screens begin and set their
// bookmarks, notes are kept now and then, the test screen of a path's last
// object reports its score, and the object ends.
std::vector<std::string> CourseRunAddresses(int count) {
  std::vector<std::string> out;
  for (int k = 0; static_cast<int>(out.size()) < count; ++k) {
    const int i = k / kObjects % kPaths + 1;
    const int j = k % kObjects + 1;
    const std::string at = std::to_string(i) + "," + std::to_string(j);
    out.push_back("javascript:openlobject(" + at + ")");
    for (int p = 0; p < kPoints; ++p) {
      const std::string page = "l" + std::to_string(i) + "/o" + std::to_string(j) + "/p" +
                               std::to_string(p + 1) + ".htm";
      out.push_back("javascript:lpoint_begin('" + std::to_string(p) + "');");
      if (j == kObjects && p + 1 == kPoints) {
        out.push_back("javascript:setscore(\"" + std::to_string(60 + k % 40) + "\");");
      } else {
        out.push_back("javascript:setbookmark(\"" + page + "\");");
      }
    }
    if (k % 7 == 0) {
      out.push_back("javascript:savenotes(Notes of object " + at + ")");
      out.push_back("javascript:loadnotes()");
    }
    out.push_back(j == kObjects ? "javascript:lobject_end(\"next\");" : "javascript:lobject_end();");
  }
  out.resize(static_cast<std::size_t>(count));
  return out;
}

// The processor time this thread has used, in microseconds: a command's
// wall time less this is the time it waited, mostly for the disk's flushes.
double ThreadCpuMicros() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void BM_CourseRun(benchmark::State& state) {
  const std::vector<std::string> addresses = CourseRunAddresses(kCourseCommands);
  std::vector<double> micros;
  std::vector<double> cpu_micros;
  double seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Bench b(CourseSettings());
    PutRecord(b, kCourseRecordItems);
    b.app.forms.Show("frmMain", ShowMode::Modeless, "");
    micros.clear();
    cpu_micros.clear();
    state.ResumeTiming();
    const auto run_start = std::chrono::steady_clock::now();
    for (const std::string& address : addresses) {
      const auto start = std::chrono::steady_clock::now();
      const double cpu_start = ThreadCpuMicros();
      bool cancel = false;
      b.app.forms.Get<FrmMain>("frmMain").BeforeNavigate2("wbContent", address, cancel);
      b.app.forms.ReleaseUnloaded();
      cpu_micros.push_back(ThreadCpuMicros() - cpu_start);
      micros.push_back(
          std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - run_start).count();
  }
  state.counters["commands_per_s"] = static_cast<double>(micros.size()) / seconds;
  state.counters["p50_us"] = Percentile(micros, 0.50);
  state.counters["p99_us"] = Percentile(micros, 0.99);
  state.counters["max_us"] = Percentile(micros, 1.0);
  state.counters["cpu_p99_us"] = Percentile(cpu_micros, 0.99);
}
BENCHMARK(BM_CourseRun)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_IssueExport(benchmark::State& state) {
  Bench b("review=true\r\n");
  const std::string folder = b.app.DataFolder + "rawdata\\";
  b.host.files().CreateFolder(folder);
  for (auto _ : state) {
    state.PauseTiming();
    for (int c = 0; c < kComments; ++c) {
      const std::string name = "reviewer" + std::to_string(c % 5) + "_" + std::to_string(c / 100 + 1) +
                               "-" + std::to_string(c / 10 % 10 + 1) + "-" + std::to_string(c % 10 + 1) +
                               ".raw";
      b.Put(folder + name, "The second sentence reads \"Buenos d\xed" "as\\| se\xf1" "or\" & <b>bold</b>.\r\n"
                           "Please check the picture, too.\r\n");
    }
    state.ResumeTiming();
    const ExportResult result = ExportIssueReport(b.app);
    if (result.comments != kComments) state.SkipWithError("not every comment was exported");
  }
}
BENCHMARK(BM_IssueExport)->Unit(benchmark::kMillisecond)->Iterations(5);

// Keeps every run for the table while the console shows them as usual.
class Collector : public benchmark::ConsoleReporter {
 public:
  Collector() : ConsoleReporter(OO_Tabular) {}  // no colours: the output goes to files and logs
  std::map<std::string, Run> runs;
  void ReportRuns(const std::vector<Run>& report) override {
    for (const Run& r : report) runs.insert_or_assign(r.benchmark_name(), r);
    ConsoleReporter::ReportRuns(report);
  }
};

double Millis(const benchmark::BenchmarkReporter::Run& r) {
  return r.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(r.time_unit);
}

void PrintTable(const Collector& c) {
  auto find = [&](const std::string& name) -> const benchmark::BenchmarkReporter::Run* {
    auto it = c.runs.find(name);
    return it == c.runs.end() ? nullptr : &it->second;
  };
  auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
  std::printf("\n%-46s %14s  %-10s %s\n", "measure", "figure", "target", "");
  for (const char* op : {"ReadRecord", "WriteRecord"}) {
    for (int items : {50, 500, 2600}) {
      if (auto* r = find(std::string("BM_") + op + "/" + std::to_string(items))) {
        std::printf("%-46s %11.1f us\n", (std::string(op) + ", " + std::to_string(items) + " items").c_str(),
                    Millis(*r) * 1e3);
      }
    }
  }
  const auto* fast = find("BM_ProgressString");
  const auto* reference = find("BM_ProgressStringReference/min_time:2.000");
  if (fast != nullptr) {
    std::printf("%-46s %11.3f ms  %-10s %s\n", "progress string, 50 x 50 course", Millis(*fast),
                "< 5 ms", verdict(Millis(*fast) < 5));
  }
  if (reference != nullptr) {
    std::printf("%-46s %11.3f ms\n", "  reference: one record read per key", Millis(*reference));
  }
  if (fast != nullptr && reference != nullptr) {
    const double ratio = Millis(*reference) / Millis(*fast);
    std::printf("%-46s %13.0fx  %-10s %s\n", "  faster than the reference", ratio, ">= 50x",
                verdict(ratio >= 50));
  }
  if (const auto* run = find("BM_CourseRun/iterations:1")) {
    const double p99 = run->counters.at("p99_us");
    std::printf("%-46s %11.0f /s\n", "page commands, 2,600-item record",
                static_cast<double>(run->counters.at("commands_per_s")));
    std::printf("%-46s %11.1f us\n", "  median command", static_cast<double>(run->counters.at("p50_us")));
    std::printf("%-46s %11.1f us  %-10s %s\n", "  99th percentile command", p99, "< 1 ms",
                verdict(p99 < 1000));
    std::printf("%-46s %11.1f us\n", "  slowest command", static_cast<double>(run->counters.at("max_us")));
    std::printf("%-46s %11.1f us\n", "  99th percentile processor time (no disk wait)",
                static_cast<double>(run->counters.at("cpu_p99_us")));
  }
  if (const auto* run = find("BM_IssueExport/iterations:5")) {
    std::printf("%-46s %11.1f ms  %-10s %s\n", "issue export, 1,000 comment files", Millis(*run),
                "< 1 s", verdict(Millis(*run) < 1000));
  }
}

}  // namespace
}  // namespace mirvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  mirvane::Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  mirvane::PrintTable(collector);
  benchmark::Shutdown();
  return 0;
}
