#include "runtime/value.h"

#include <algorithm>
#include <cmath>

#include "runtime/date_text.h"
#include "runtime/number_text.h"

namespace xb {

namespace {
const std::string kNoText;
const std::vector<Value> kNoArray;
const std::shared_ptr<Object> kNoObject;
}  // namespace

Value Value::Text(std::string s) {
  Value v;
  v.type_ = Type::kText;
  v.payload_ = std::move(s);
  return v;
}

Value Value::Memo(std::string s) {
  Value v = Text(std::move(s));
  v.type_ = Type::kMemo;
  return v;
}

Value Value::Number(double n, int decimals) {
  Value v;
  v.type_ = Type::kNumber;
  v.decimals_ = decimals < 0 ? 0 : decimals;
  v.payload_ = n;
  return v;
}

Value Value::Number(double n) {
  int decimals = 0;
  if (std::isfinite(n)) {
    double scaled = n;
    while (decimals < 9 && std::fabs(scaled - std::round(scaled)) > 1e-9 * std::max(1.0, std::fabs(scaled))) {
      scaled *= 10;
      ++decimals;
    }
  }
  return Number(n, decimals);
}

Value Value::Logical(bool b) {
  Value v;
  v.type_ = Type::kLogical;
  v.payload_ = b;
  return v;
}

Value Value::FromDate(Date d) {
  Value v;
  v.type_ = Type::kDate;
  v.payload_ = d;
  return v;
}

Value Value::FromArray(std::vector<Value> items) {
  Value v;
  v.type_ = Type::kArray;
  v.payload_ = std::make_shared<std::vector<Value>>(std::move(items));
  return v;
}

Value Value::FromObject(std::shared_ptr<Object> o) {
  Value v;
  v.type_ = Type::kObject;
  v.payload_ = std::move(o);
  return v;
}

Value Value::FromBlock(Block b) {
  Value v;
  v.type_ = Type::kBlock;
  v.payload_ = std::make_shared<Block>(std::move(b));
  return v;
}

Value Value::FromHash(Hash h) {
  Value v;
  v.type_ = Type::kHash;
  v.payload_ = std::make_shared<Hash>(std::move(h));
  return v;
}

Value Value::Pointer(const void* p) {
  Value v;
  v.type_ = Type::kPointer;
  v.payload_ = p;
  return v;
}

char Value::TypeLetter() const {
  switch (type_) {
    case Type::kText: return 'C';
    case Type::kMemo: return 'M';
    case Type::kNumber: return 'N';
    case Type::kDate: return 'D';
    case Type::kLogical: return 'L';
    case Type::kArray: return 'A';
    case Type::kObject: return 'O';
    case Type::kBlock: return 'B';
    case Type::kHash: return 'H';
    case Type::kPointer: return 'P';
    case Type::kNil: break;
  }
  return 'U';
}

const std::string& Value::text() const {
  const auto* s = std::get_if<std::string>(&payload_);
  return s ? *s : kNoText;
}

double Value::number() const {
  const auto* d = std::get_if<double>(&payload_);
  return d ? *d : 0.0;
}

bool Value::logical() const {
  const auto* b = std::get_if<bool>(&payload_);
  return b ? *b : false;
}

Date Value::date() const {
  const auto* d = std::get_if<Date>(&payload_);
  return d ? *d : Date{};
}

const std::vector<Value>& Value::array() const {
  const auto* a = std::get_if<std::shared_ptr<std::vector<Value>>>(&payload_);
  return a ? **a : kNoArray;
}

std::vector<Value>& Value::mutable_array() {
  if (type_ != Type::kArray) *this = FromArray({});
  return *std::get<std::shared_ptr<std::vector<Value>>>(payload_);
}

const std::shared_ptr<Object>& Value::object() const {
  const auto* o = std::get_if<std::shared_ptr<Object>>(&payload_);
  return o ? *o : kNoObject;
}

const Block* Value::block() const {
  const auto* b = std::get_if<std::shared_ptr<Block>>(&payload_);
  return b ? b->get() : nullptr;
}

const Hash* Value::hash() const {
  const auto* h = std::get_if<std::shared_ptr<Hash>>(&payload_);
  return h ? h->get() : nullptr;
}

const void* Value::pointer() const {
  const auto* p = std::get_if<const void*>(&payload_);
  return p ? *p : nullptr;
}

std::string ValueAsText(const Value& v) {
  switch (v.type()) {
    case Value::Type::kText:
    case Value::Type::kMemo: return v.text();
    case Value::Type::kDate: return Dtoc(v.date());
    case Value::Type::kLogical: return v.logical() ? ".T." : ".F.";
    case Value::Type::kNumber: return StrTrim(v);
    case Value::Type::kBlock: return "{|| ... }";
    case Value::Type::kArray: return "{ ... }";
    case Value::Type::kObject: return "Object";
    default: return "";
  }
}

bool IsEmptyValue(const Value& v) {
  switch (v.type()) {
    case Value::Type::kNil: return true;
    case Value::Type::kText:
    case Value::Type::kMemo:
      return v.text().find_first_not_of(" \t\r\n") == std::string::npos;
    case Value::Type::kNumber: return v.number() == 0;
    case Value::Type::kLogical: return !v.logical();
    case Value::Type::kDate: return v.date().empty();
    case Value::Type::kArray: return v.array().empty();
    default: return false;
  }
}

}  // namespace xb
