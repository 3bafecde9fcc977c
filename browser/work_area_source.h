// WorkAreaSource: the rows of the table in one work area, for a grid. Every call selects
// that area for its own duration and puts the current area back, so a grid reaches its
// table without changing which work area the program has current.
// Field texts (automatic columns): character and memo as stored, dates in the date
// format, logical ".T."/".F.", numbers in the field's width and decimals, trimmed.
#pragma once

#include "gui/grid_source.h"

namespace browser {

// Selects a work area for the lifetime of the object, then puts the previous one back.
class AreaScope {
 public:
  explicit AreaScope(int area);
  ~AreaScope();
  AreaScope(const AreaScope&) = delete;
  AreaScope& operator=(const AreaScope&) = delete;

 private:
  int previous_;
};

class WorkAreaSource : public gui::GridSource {
 public:
  explicit WorkAreaSource(int area) : area_(area) {}
  int area() const { return area_; }

  void GoTop() override;
  void GoBottom() override;
  long Skip(long n) override;
  bool Bof() override;
  bool Eof() override;
  long KeyNo() override;
  long KeyCount() override;
  void GoToKeyNo(long key) override;
  long RecNo() override;
  void GoToRecNo(long recno) override;
  int FieldCount() override;
  std::string FieldName(int index0) override;
  std::string FieldText(int index0) override;

 private:
  int area_;
};

}  // namespace browser
