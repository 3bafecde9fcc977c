// GridSource: the rows a TXBrowse shows. The grid knows nothing of tables; it moves a
// cursor through this interface and reads cells through its columns' closures, which
// read the source's current row. A work-area adapter implements it for a table.
//
// Contract:
//   - The source has a current row, which is the grid's current row. Positions are the
//     keys of the current order, 1 to KeyCount(); an empty source has none.
//   - Skip(n) moves up to |n| rows forward (n > 0) or backward (n < 0) and returns the
//     signed count it moved. It never stops past the last row or before the first: at
//     an end it stays on the last (first) row and reports the shorter count.
//   - GoTop/GoBottom go to the first/last row (nothing happens on an empty source).
//   - Eof() is true when there is no current row (empty, or left past the end by the
//     program); Bof() when a backward move was cut at the first row or the source is
//     empty.
//   - KeyNo() is the 1-based position of the current row (0 when there is none);
//     GoToKeyNo(k) goes to position k (clamped to 1..KeyCount()).
//   - RecNo()/GoToRecNo() name a row independent of the order; the grid uses them to
//     put the current row back after it has walked the rows it draws.
//   - Fields: used only for automatic columns. FieldText gives the current row's field
//     as display text.
//   - Errors are raised by the source itself (xb::Raise); the grid keeps no error state.
// Not thread-safe: the GUI thread only.
#pragma once

#include <string>

namespace gui {

class GridSource {
 public:
  virtual ~GridSource() = default;

  virtual void GoTop() = 0;
  virtual void GoBottom() = 0;
  virtual long Skip(long n) = 0;
  virtual bool Bof() = 0;
  virtual bool Eof() = 0;

  virtual long KeyNo() = 0;
  virtual long KeyCount() = 0;
  virtual void GoToKeyNo(long key) = 0;

  virtual long RecNo() = 0;
  virtual void GoToRecNo(long recno) = 0;

  // Fields of the row, in the source's field order (automatic columns).
  virtual int FieldCount() { return 0; }
  virtual std::string FieldName(int /*index0*/) { return {}; }
  virtual std::string FieldText(int /*index0*/) { return {}; }
};

}  // namespace gui
