// make_samples DIR            writes PRODUCT.DBF, PRODUCT1.DBF and PRODUCT1.FPT into DIR
// make_samples --large N FILE writes a PRODUCT table of N records (for benchmarks)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/sample_data.h"

int main(int argc, char** argv) {
  std::string why;
  if (argc == 4 && std::string(argv[1]) == "--large") {
    why = samples::WriteLargeProductTable(argv[3], uint32_t(std::strtoul(argv[2], nullptr, 10)));
  } else if (argc == 2) {
    why = samples::WriteSampleTables(argv[1]);
  } else {
    std::fprintf(stderr, "usage: make_samples DIR | make_samples --large N FILE\n");
    return 2;
  }
  if (!why.empty()) {
    std::fprintf(stderr, "make_samples: %s\n", why.c_str());
    return 1;
  }
  return 0;
}
