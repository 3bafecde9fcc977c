// The error report: eight sections (application, stack calls, system, variables in use,
// linked table drivers, open tables, classes, memory), windows-1252 text with CR LF line
// ends, composed completely from the sources before anything is stored or shown.
#pragma once

#include <string>
#include <vector>

#include "errors/report_sources.h"
#include "runtime/error.h"

namespace errors {

constexpr int kFirstReportLevel = 2;
constexpr int kLastReportLevel = 73;
constexpr int kMaxAreasInReport = 255;
constexpr int kMaxOrdersInReport = 15;
constexpr int kMaxRelationsInReport = 8;

struct Report {
  std::string text;
  std::string description_line;          // "   Error description : ..." with its CR LF
  std::vector<std::string> stack_lines;  // the "Called from" lines, without CR LF
};

Report ComposeReport(const xb::Error& e, const ReportSources& sources);

}  // namespace errors
