// The FoxPro compound index (.cdx) format: 512-byte pages; a file header and a tag
// directory (a tree whose keys are tag names and whose "record numbers" are the
// offsets of the tag headers); per tag a 1024-byte header (root, key length, options,
// key and condition texts) and a tree of interior nodes (full keys, big-endian record
// and child words) over compressed leaves (per-node bit widths for record number,
// duplicate count and trailing count; key bytes packed from the page's end).
//
// Parsing validates the whole structure (every pointer inside the file, no page
// visited twice, entries inside their page), so later walks cannot go astray. Files
// are rewritten whole: kept tags are copied page by page with their pointers moved,
// new tags are built from sorted keys. The file never grows beyond its live pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tables/dbf_format.h"

namespace tables {

constexpr uint32_t kCdxPage = 512;
constexpr int kTagNameLength = 10;

struct CdxTag {
  std::string name;      // as stored (upper case), without padding
  std::string key_text;  // exactly as stored
  std::string for_text;
  uint32_t header_offset = 0;
  uint32_t root = 0;
  int key_length = 0;
  uint8_t options = 0;
  std::vector<uint32_t> tree_pages;  // every page of the tree
  std::vector<uint32_t> leaves;      // leaf pages in key order
};

struct CdxFile {
  std::vector<uint8_t> bytes;
  std::vector<CdxTag> tags;  // in tag-list order (the order of their headers)
};

// Validates and indexes a file image. Empty text on success, else what is wrong.
std::string ParseCdx(std::vector<uint8_t> bytes, CdxFile& out);

// The record numbers of a tag in key order; a number above max_recno is corruption.
std::string TagRecords(const CdxFile& file, const CdxTag& tag, uint32_t max_recno,
                       std::vector<uint32_t>& out);

struct KeyEntry {
  std::string key;
  uint32_t recno;
};
// The keys of a tag in order, rebuilt with the pad byte of its key type.
std::string TagKeys(const CdxFile& file, const CdxTag& tag, uint8_t pad,
                    std::vector<KeyEntry>& out);

// The pad byte a reader uses for a tag: 0x00 when the key expression is a bare field
// of a numeric, date or time type, else a blank.
uint8_t PadForKey(const std::string& key_text, const std::vector<FieldInfo>& fields);

// A tag to add: keys of key_length bytes each, sorted with their record numbers.
struct NewTag {
  std::string name;
  std::string key_text;
  int key_length = 0;
  uint8_t pad = ' ';
  bool unique = false;
  const uint8_t* keys = nullptr;
  const uint32_t* recnos = nullptr;
  size_t count = 0;
  uint32_t max_recno = 0;  // sizes the record-number bits of the leaves
};

// A whole new file: the tags of `old` named in keep (indexes into old.tags, in this
// order) copied, then `add` (when add.name is not empty) at the end of the tag list.
std::vector<uint8_t> BuildCdx(const CdxFile* old, const std::vector<size_t>& keep,
                              const NewTag& add);

// Encodes a key value as index bytes: numbers and dates as order-preserving doubles.
std::string NumberKey(double v);

}  // namespace tables
