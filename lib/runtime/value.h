// Values of the xBase-style run time. Every value has a one-letter type:
//   C text, M memo text, N number, D date, L logical, A array, O object,
//   B closure (code block), H associative array, P raw pointer, U no value (nil).
// Values are cheap to copy: arrays, objects, blocks and hashes are shared handles.
// Not thread-safe; the program runs on one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace xb {

class Value;

// A calendar date kept as a Julian day number; 0 is the empty date.
struct Date {
  int32_t julian = 0;

  static Date FromYmd(int year, int month, int day);  // empty when not a valid date
  bool empty() const { return julian == 0; }
  int year() const;
  int month() const;
  int day() const;
  friend bool operator==(Date a, Date b) { return a.julian == b.julian; }
};

// Base of every object the run time can hold; the class name is what reports show.
class Object {
 public:
  virtual ~Object() = default;
  virtual std::string ClassName() const = 0;
  // True for objects that answer late-bound member calls. The automation layer asks it
  // of every object a call hands back: a dynamic_cast there would walk the class graph
  // of objects with several bases on each call.
  virtual bool Dispatches() const { return false; }
};

// A closure: the name of the procedure that created it, and its body.
struct Block {
  std::string creator;
  std::function<Value(std::vector<Value>&)> body;
};

using Hash = std::vector<std::pair<Value, Value>>;

class Value {
 public:
  enum class Type { kNil, kText, kMemo, kNumber, kDate, kLogical, kArray, kObject, kBlock, kHash, kPointer };

  Value() = default;
  static Value Text(std::string s);
  static Value Memo(std::string s);
  // A number with the decimal places it carries (fields have their declared decimals).
  static Value Number(double n, int decimals);
  // A number whose decimals follow from the value: none for whole numbers, else the
  // fewest (up to 9) that give it back.
  static Value Number(double n);
  static Value Logical(bool b);
  static Value FromDate(Date d);
  static Value FromArray(std::vector<Value> items);
  static Value FromObject(std::shared_ptr<Object> o);
  static Value FromBlock(Block b);
  static Value FromHash(Hash h);
  static Value Pointer(const void* p);

  Type type() const { return type_; }
  char TypeLetter() const;
  bool IsNil() const { return type_ == Type::kNil; }
  bool IsText() const { return type_ == Type::kText || type_ == Type::kMemo; }
  bool IsNumber() const { return type_ == Type::kNumber; }
  bool IsLogical() const { return type_ == Type::kLogical; }
  bool IsDate() const { return type_ == Type::kDate; }
  bool IsArray() const { return type_ == Type::kArray; }
  bool IsObject() const { return type_ == Type::kObject; }

  // Accessors return empty values when the type differs.
  const std::string& text() const;
  double number() const;
  int decimals() const { return decimals_; }
  bool logical() const;
  Date date() const;
  const std::vector<Value>& array() const;
  std::vector<Value>& mutable_array();
  const std::shared_ptr<Object>& object() const;
  const Block* block() const;
  const Hash* hash() const;
  const void* pointer() const;

 private:
  using Payload = std::variant<std::monostate, std::string, double, bool, Date,
                               std::shared_ptr<std::vector<Value>>, std::shared_ptr<Object>,
                               std::shared_ptr<Block>, std::shared_ptr<Hash>, const void*>;
  Type type_ = Type::kNil;
  int decimals_ = 0;
  Payload payload_;
};

// The general value-as-text rule: C/M the text, D in the current date format, L .T./.F.,
// N trimmed with the decimals it carries, B "{|| ... }", A "{ ... }", O "Object",
// anything else an empty text.
std::string ValueAsText(const Value& v);

// Empty: no characters or only blanks, tabs, CR and LF; the number 0; nil.
bool IsEmptyValue(const Value& v);

}  // namespace xb
