// The browse export: 100,000 rows of 8 columns to XLSX against a bare libxlsxwriter loop writing the same
// cells, the CSV writer's speed in MB/s, and the peak memory of an XLSX export of 100,000 and 1,000,000
// rows (each in a child process of its own, so that one size's peak does not hide the other's).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dane/globals.h"
#include "keldox/export.h"
#include "mirlet_testing/temp_folder.h"
#include "runtime/date.h"

namespace {

using keldox::spreadsheet::ExportColumn;
using keldox::spreadsheet::FileType;

const std::vector<ExportColumn> kColumns{
    {"Id", "@n10", 0, 10, true},      {"Nazwa", "@s40", 1, 40, false}, {"Kwota", "@n-14`2", 2, 14, true},
    {"Data", "@d17", 3, 12, false},   {"Kod", "@s10", 4, 10, false},   {"Ilość", "@n12`3", 5, 12, true},
    {"Miasto", "@s30", 6, 30, false}, {"Kurs", "@n10`4", 7, 10, true},
};

dane::Row make_row(int i) {
  return {std::to_string(i),
          "Kontrahent nr " + std::to_string(i) + " Zażółć",
          std::to_string(i % 100000) + ".25",
          std::to_string(runtime::make_day(2026, 1, 1) + i % 365),
          "K" + std::to_string(i % 997),
          std::to_string(i % 50) + ".125",
          i % 2 ? "Kraków" : "Łódź",
          "4.3215"};
}

const std::vector<dane::Row>& rows_100k() {
  static const std::vector<dane::Row> rows = [] {
    std::vector<dane::Row> r;
    for (int i = 1; i <= 100000; ++i) r.push_back(make_row(i));
    return r;
  }();
  return rows;
}

keldox::spreadsheet::RowFeed held_rows() {
  return [done = false](std::vector<dane::Row>& batch, std::string&) mutable {
    batch.clear();
    if (done) return false;
    done = true;
    batch = rows_100k();
    return true;
  };
}

// Rows made a page at a time, as a browse pages its source: memory holds one page.
keldox::spreadsheet::RowFeed generated_rows(int total) {
  return [total, next = 1](std::vector<dane::Row>& batch, std::string&) mutable {
    batch.clear();
    for (int i = 0; i < 1000 && next <= total; ++i) batch.push_back(make_row(next++));
    return !batch.empty();
  };
}

mirlet_testing::TempFolder& folder() {
  static mirlet_testing::TempFolder f("exportbench");
  return f;
}

void set_module_folder() {
  dane::GLO.LOCALPATH = std::string(MIRLET_UTIL_DIR);
}

void BM_ExportXlsx(benchmark::State& state) {
  set_module_folder();
  rows_100k();
  for (auto _ : state) {
    const auto outcome =
        keldox::spreadsheet::write_file(folder().file("e.xlsx"), FileType::xlsx, kColumns, held_rows(), ';');
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}

// The same cells straight into the library: numbers, texts and dates in the same formats.
void BM_BareXlsx(benchmark::State& state) {
  const auto& rows = rows_100k();
  for (auto _ : state) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(folder().file("b.xlsx").c_str(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Arkusz1");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    const char* formats[] = {"0", nullptr, "0.00", "dd.mm.yyyy", nullptr, "0.000", nullptr, "0.0000"};
    std::vector<lxw_format*> f;
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      lxw_format* x = nullptr;
      if (formats[c] != nullptr) {
        x = workbook_add_format(wb);
        format_set_num_format(x, formats[c]);
      }
      f.push_back(x);
      worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), kColumns[c].width, x);
    }
    worksheet_freeze_panes(ws, 1, 0);
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
      worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), kColumns[c].header.c_str(), bold);
    }
    lxw_row_t r = 1;
    for (const dane::Row& row : rows) {
      for (std::size_t c = 0; c < kColumns.size(); ++c) {
        if (formats[c] == nullptr) {
          worksheet_write_string(ws, r, static_cast<lxw_col_t>(c), row[c].c_str(), nullptr);
        } else {
          double v = std::stod(row[c]);
          if (c == 3) v -= 36161;
          worksheet_write_number(ws, r, static_cast<lxw_col_t>(c), v, f[c]);
        }
      }
      ++r;
    }
    if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("close failed");
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}

void BM_ExportCsv(benchmark::State& state) {
  rows_100k();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string path = folder().file("e.csv");
    const auto outcome = keldox::spreadsheet::write_file(path, FileType::csv, kColumns, held_rows(), ';');
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
    bytes += std::filesystem::file_size(path);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_ExportXls(benchmark::State& state) {
  rows_100k();
  for (auto _ : state) {
    const auto outcome =
        keldox::spreadsheet::write_file(folder().file("e.xls"), FileType::xls, kColumns, held_rows(), ';');
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}

// How far the peak resident memory of a child grows while it exports `rows` rows to XLSX, in kB.
void BM_XlsxPeakMemory(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  long peak = 0;
  for (auto _ : state) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) state.SkipWithError("pipe");
    const pid_t child = fork();
    if (child == 0) {
      set_module_folder();
      rusage before{};
      getrusage(RUSAGE_SELF, &before);
      const auto outcome = keldox::spreadsheet::write_file(folder().file("p.xlsx"), FileType::xlsx, kColumns,
                                                           generated_rows(rows), ';');
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      // The growth over what the child had when it started: the parent's own data is not the export's.
      long value = outcome.ok ? usage.ru_maxrss - before.ru_maxrss : -1;
      if (write(pipe_fds[1], &value, sizeof value) != sizeof value) _exit(1);
      _exit(0);
    }
    close(pipe_fds[1]);
    if (read(pipe_fds[0], &peak, sizeof peak) != sizeof peak) peak = -1;
    close(pipe_fds[0]);
    waitpid(child, nullptr, 0);
  }
  if (peak < 0) state.SkipWithError("the export failed");
  state.counters["peak_growth_kB"] = static_cast<double>(peak);
}

}  // namespace

BENCHMARK(BM_ExportXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxPeakMemory)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
