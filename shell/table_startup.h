// The table start-up of MAIN: PRODUCT.DBF into work area 1 and PRODUCT1.DBF into work
// area 2, each with its three tags rebuilt in the production index, in this order:
// EXCEL1/ID "STR(ID_NR)", EXCEL2/CUSTOMER "LOWER(CUSTOMER) + INVOICE ",
// EXCEL3/PRODUCT "LOWER(PRODUCT)". Tables come from the working directory. Nothing is
// tested here: every failure is raised by the engine and answered by the handler.
// Afterwards work area 2 is current. Closing all work areas is registered as an exit
// procedure, so an early quit leaves no table open.
#pragma once

namespace shell {

void OpenSampleTables();
void CloseSampleTables();

}  // namespace shell
