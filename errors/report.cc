#include "errors/report.h"

#include <cmath>

#include "errors/error_text.h"
#include "runtime/date_text.h"
#include "runtime/number_text.h"

namespace errors {

namespace {

constexpr const char* kCrLf = "\r\n";
// "Größe" in windows-1252: o-umlaut 246, sharp s 223.
constexpr const char* kSizeLabel =
    "   Gr\xF6\xDF"
    "e : ";

std::string N(double n, int width) {
  return xb::Str(n, width);
}
std::string T(double n) {
  return xb::StrTrim(n);
}
std::string Flag(bool b) {
  return b ? ".T." : ".F.";
}

class Builder {
 public:
  void Line(const std::string& s) { text += s + kCrLf; }
  void Blank() { text += kCrLf; }
  std::string text;
};

void Application(const xb::Error& e, const ReportSources& src, Report& r, Builder& b) {
  SystemSource& sys = *src.system;
  const std::string path = sys.ProgramPath();
  b.Line("Application");
  b.Line("==========");
  b.Line("   Path and name : " + path + " (" + T(sys.ProgramBits()) + " bits)");
  b.Line(kSizeLabel + xb::Picture(static_cast<double>(sys.FileSize(path)), "9,999,999 bytes"));
  b.Line("   Time from start : " + sys.TimeFromStart());
  b.Line("   Error occurred at : " + xb::Dtoc(sys.Today()) + ", " + sys.Now());
  r.description_line = "   Error description : " + ErrorMessage(e) + kCrLf;
  b.text += r.description_line;
  if (e.args.IsArray()) {
    b.Line("   Args:");
    const auto& args = e.args.array();
    for (size_t i = 0; i < args.size(); ++i) {
      b.Line("     [" + N(static_cast<double>(i + 1), 4) + "] = " + args[i].TypeLetter() + "   " +
             xb::ValueAsText(args[i]));
    }
  }
}

void StackCalls(const ReportSources& src, Report& r, Builder& b) {
  b.Blank();
  b.Line("Stack Calls");
  b.Line("===========");
  CallChainSource& chain = *src.chain;
  for (int level = kFirstReportLevel; level <= kLastReportLevel; ++level) {
    const std::string name = chain.Name(level);
    if (name.empty()) continue;
    std::string line = "   Called from : " + chain.File(level) + " => " + xb::RTrim(name) + "(" +
                       T(chain.Line(level)) + ")";
    b.Line(line);
    r.stack_lines.push_back(std::move(line));
  }
}

void System(const ReportSources& src, Builder& b) {
  SystemSource& sys = *src.system;
  b.Blank();
  b.Line("System");
  b.Line("======");
  const std::string cpu = sys.ProcessorName();
  b.Line("   CPU type: " + cpu + " " + T(sys.ProcessorMhz()) + " Mhz");
  b.Line("   Hardware Memory: " + T(std::floor(sys.PhysicalMemory() / 1048576) + 1) + " megs");
  b.Blank();
  b.Line("   Free System-resources : " + T(sys.FreeResources(0)) + " %");
  b.Line("   GDI    resources : " + T(sys.FreeResources(1)) + " %");
  b.Line("   User   resources : " + T(sys.FreeResources(2)) + " %");
  b.Blank();
  b.Line("   Compiler-version: " + sys.CompilerVersion());
  const WindowsVersion& v = src.version;
  b.Line("   Windows-version: " + T(v.major) + "." + T(v.minor) + ", Stand " + T(v.build) + " " +
         v.service_pack);
  b.Blank();
  const std::vector<std::string> titles = sys.WindowTitles();
  b.Line("   Windows total applications running : " + T(static_cast<double>(titles.size())));
  for (size_t i = 0; i < titles.size(); ++i) {
    b.Line("    " + N(static_cast<double>(i + 1), 3) + " " + titles[i]);
  }
}

void Variables(const ReportSources& src, Builder& b) {
  b.Blank();
  b.Line("Variables in use ");
  b.Line("====================");
  b.Line("   Procedure     Type   Value");
  b.Line("   ==========================");
  CallChainSource& chain = *src.chain;
  for (int level = kFirstReportLevel; level <= kLastReportLevel; ++level) {
    const std::string name = chain.Name(level);
    if (name.empty()) continue;
    b.Line("   " + xb::RTrim(name));
    const std::vector<xb::Value> params = chain.Params(level);
    for (size_t k = 0; k < params.size(); ++k) {
      b.Line("     Param " + N(static_cast<double>(k + 1), 3) + ":    " + params[k].TypeLetter() +
             "    " + CGetInfo(params[k]));
    }
    const std::vector<xb::Value> locals = chain.Locals(level);
    for (size_t k = 0; k < locals.size(); ++k) {
      b.Line("     Local " + N(static_cast<double>(k + 1), 3) + ":    " + locals[k].TypeLetter() +
             "    " + CGetInfo(locals[k]));
    }
  }
}

void Drivers(const ReportSources& src, Builder& b) {
  b.Blank();
  b.Line("Linked RDDs");
  b.Line("=============");
  for (const std::string& name : src.tables->Drivers()) b.Line("   " + name);
}

void OneTable(TableSource& t, int n, int current, Builder& b) {
  const std::string driver = t.DriverName(n);
  b.Blank();
  b.Line(N(n, 3) + ": " + (n == current ? "=> " : "   ") + xb::PadRight(t.Alias(n), 15) +
         std::string(20, ' ') + "RddName: " + driver);
  b.Line("     ==============================");
  b.Line("     RecNo    RecCount    BOF   EOF");
  b.Line("    " + xb::Picture(static_cast<double>(t.RecNo(n)), "9999999") + "      " +
         xb::Picture(static_cast<double>(t.RecCount(n)), "9999999") + "      " + Flag(t.Bof(n)) +
         "   " + Flag(t.Eof(n)));
  b.Blank();
  if (driver == "ARRAYRDD") return;
  b.Line("     Indexes in use " + std::string(23, ' ') + "TagName");
  const int order = t.CurrentOrder(n);
  for (int k = 1; k <= kMaxOrdersInReport; ++k) {
    const std::string key = t.OrderKey(n, k);
    if (xb::IsEmptyValue(xb::Value::Text(key))) continue;
    b.Line(std::string(8, ' ') + (k == order ? "=> " : "   ") + xb::PadRight(key, 35) +
           t.OrderTag(n, k));
  }
  b.Blank();
  b.Line("     Relations in use : ");
  for (int k = 1; k <= kMaxRelationsInReport; ++k) {
    const int target = t.RelationTarget(n, k);
    if (target == 0) continue;
    b.Line(std::string(8, ' ') + N(k, 10) + ": " + "TO " + t.RelationText(n, k) + " INTO " +
           t.Alias(target));
  }
}

void Tables(const ReportSources& src, Builder& b) {
  b.Blank();
  b.Line("DataBases in use  ");
  b.Line("===================");
  TableSource& t = *src.tables;
  const int current = t.CurrentArea();
  for (int n = 1; n <= kMaxAreasInReport; ++n) {
    if (t.Alias(n).empty()) continue;
    OneTable(t, n, current, b);
  }
}

void Classes(const ReportSources& src, Builder& b) {
  b.Blank();
  b.Line("Classes in use :");
  b.Line("==================");
  RuntimeSource& rt = *src.runtime;
  for (int k = 1; k <= rt.ClassCount(); ++k) {  // the count may grow meanwhile
    b.Line("   " + N(k, 3) + " " + rt.ClassName(k));
  }
}

void Memory(const ReportSources& src, Builder& b) {
  RuntimeSource& rt = *src.runtime;
  b.Blank();
  b.Line("Memory Analysis");
  b.Line("================");
  b.Line("      " + T(rt.StaticCount()) + " Static variables");
  b.Blank();
  b.Line("   Dynamic memory consume :");
  b.Line("      Actual  Value : " + N(rt.MemoryInUse(), 10) + " bytes");
  b.Line("      Highest Value : " + N(rt.MemoryPeak(), 10) + " bytes");
}

}  // namespace

Report ComposeReport(const xb::Error& e, const ReportSources& sources) {
  Report r;
  Builder b;
  Application(e, sources, r, b);
  StackCalls(sources, r, b);
  System(sources, b);
  Variables(sources, b);
  Drivers(sources, b);
  Tables(sources, b);
  Classes(sources, b);
  Memory(sources, b);
  r.text = std::move(b.text);
  return r;
}

}  // namespace errors
