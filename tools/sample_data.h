// The sample tables the program ships with, made deterministically: PRODUCT.DBF (six
// fields, a few hundred sales lines) and PRODUCT1.DBF with its memo file; and large
// PRODUCT tables of any size for benchmarks.
#pragma once

#include <cstdint>
#include <string>

namespace samples {

// Writes PRODUCT.DBF, PRODUCT1.DBF and PRODUCT1.FPT into dir. Empty text or what failed.
std::string WriteSampleTables(const std::string& dir);

// Writes a PRODUCT table of `records` rows (same fields as the sample) at path.
std::string WriteLargeProductTable(const std::string& path, uint32_t records);

}  // namespace samples
