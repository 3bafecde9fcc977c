// The module-wide variables that MAIN creates; they live for the whole run and every
// procedure of the program reads and writes the same ones.
#pragma once

#include <string>

namespace shell {

struct MainState {
  std::string C_DIR;       // full path of the program file
  std::string C_PFAD;      // program directory: workbooks and logs go here
  std::string CDATNAME1 = " ";
  double NMENGE = 0;       // set and not read
  std::string XXX = " ";   // set and not read
  double AKTSATZ = 0;      // set and not read
  bool LGESENDE = false;   // the export's cancel flag
  int NTEST = 1;           // the chosen sample, 1 to 3
  void* OCOL = nullptr;    // the last column of the column browser
  void* OBRW1 = nullptr;   // the normal browser
};

// MAIN's variables while MAIN runs; nullptr before and after.
MainState* Main();
void SetMain(MainState* state);

}  // namespace shell
