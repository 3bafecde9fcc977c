// Sample tables for the browser tests, written fresh into a temporary directory and
// opened as the program opens them: PRODUCT.DBF in work area 1 (tags EXCEL1 to EXCEL3),
// PRODUCT1.DBF in work area 2 (ID, CUSTOMER, PRODUCT), work area 2 current afterwards.
// Customers of PRODUCT1.DBF hold DOS characters (umlauts in code page 437).
// Every error raised meanwhile is recorded and answered with the default.
#pragma once

#include <string>
#include <vector>

#include "runtime/error.h"
#include "win_test_paths.h"

struct SaleRow {
  int id;
  std::string customer;
  std::string product;
  std::string invoice;
  double value;
  int date;  // yyyymmdd, 0 for the empty date
};

const std::vector<SaleRow>& ProductRows();   // PRODUCT.DBF, record order
const std::vector<SaleRow>& Product1Rows();  // PRODUCT1.DBF, record order

// Record numbers of rows in the order of a key over them (ties by record number).
std::vector<long> KeyOrder(const std::vector<SaleRow>& rows, std::string (*key)(const SaleRow&));
std::string IdKey(const SaleRow& r);        // STR(ID_NR) in width 5
std::string CustomerKey(const SaleRow& r);  // LOWER(CUSTOMER) + INVOICE
std::string ProductKey(const SaleRow& r);   // LOWER(PRODUCT)

class BrowserTables {
 public:
  // extra_fields: further character fields appended to PRODUCT.DBF's six.
  explicit BrowserTables(int extra_fields = 0);
  ~BrowserTables();
  const std::string& dir() const { return dir_.path(); }
  std::vector<xb::Error> errors;

 private:
  TempDir dir_;
  xb::ErrorHandler previous_;
};

inline constexpr int kCustomerWidth = 30;
