#include "shell/table_startup.h"

#include "runtime/quit.h"
#include "tables/workarea.h"

namespace shell {
namespace {

void OpenWithTags(int area, const char* file, const char* id_tag, const char* customer_tag,
                  const char* product_tag) {
  tables::SelectArea(area);
  tables::OpenOptions open;
  open.file = file;
  tables::OpenTable(open);  // the outcome is not looked at: an empty area raises below
  tables::CreateOrder("", id_tag, "STR(ID_NR)", tables::KeyStr("ID_NR"));
  tables::CreateOrder(
      "", customer_tag, "LOWER(CUSTOMER) + INVOICE ",
      tables::KeyConcat({tables::KeyLower("CUSTOMER"), tables::KeyField("INVOICE")}));
  tables::CreateOrder("", product_tag, "LOWER(PRODUCT)", tables::KeyLower("PRODUCT"));
}

}  // namespace

void OpenSampleTables() {
  static bool registered = false;
  if (!registered) {
    xb::AddExitProcedure([] { tables::CloseAll(); });
    registered = true;
  }
  OpenWithTags(1, "PRODUCT.DBF", "EXCEL1", "EXCEL2", "EXCEL3");
  OpenWithTags(2, "PRODUCT1.DBF", "ID", "CUSTOMER", "PRODUCT");
}

void CloseSampleTables() {
  tables::CloseAll();
}

}  // namespace shell
