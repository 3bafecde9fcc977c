#include "tables/cdx_format.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "tables/bytes.h"

namespace tables {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;
constexpr int kMaxDepth = 32;
constexpr uint16_t kRoot = 0x01;
constexpr uint16_t kLeaf = 0x02;

std::string At(uint32_t offset) {
  return " at offset " + std::to_string(offset);
}

bool PageInside(const std::vector<uint8_t>& b, uint32_t offset) {
  return offset >= 2 * kCdxPage && offset % kCdxPage == 0 &&
         uint64_t(offset) + kCdxPage <= b.size();
}

// One decoded leaf: entry layout read from its header.
struct LeafLayout {
  uint32_t count, rec_mask;
  int rbits, dbits, tbits, entry_size;
  uint32_t dup_mask, trail_mask;
};

std::string ReadLeafLayout(const uint8_t* page, int key_length, LeafLayout& l) {
  l.count = GetLe16(page + 2);
  l.rec_mask = GetLe32(page + 14);
  l.dup_mask = page[18];
  l.trail_mask = page[19];
  l.rbits = page[20];
  l.dbits = page[21];
  l.tbits = page[22];
  l.entry_size = page[23];
  if (l.count == 0) return {};
  if (l.entry_size < 1 || l.entry_size > 8) return "leaf entry size out of range";
  if (l.rbits + l.dbits + l.tbits > 8 * l.entry_size || l.rbits > 32 || l.rbits == 0)
    return "leaf bit widths do not fit the entry size";
  if (24 + uint64_t(l.count) * l.entry_size > kCdxPage) return "leaf entries overflow the page";
  (void)key_length;
  return {};
}

// Walks every entry of a leaf; fn(recno, dup, trail, stored bytes pointer, stored count).
template <class Fn>
std::string ForEachLeafEntry(const uint8_t* page, int key_length, Fn fn) {
  LeafLayout l;
  if (auto why = ReadLeafLayout(page, key_length, l); !why.empty()) return why;
  uint32_t p = kCdxPage;
  const uint32_t entries_end = 24 + l.count * uint32_t(l.entry_size);
  const uint64_t rec_mask = l.rbits >= 32 ? 0xFFFFFFFFull : ((1ull << l.rbits) - 1);
  const uint64_t dup_mask = (1ull << l.dbits) - 1;
  const uint64_t trail_mask = (1ull << l.tbits) - 1;
  for (uint32_t i = 0; i < l.count; ++i) {
    uint64_t v = 0;
    const uint8_t* e = page + 24 + i * uint32_t(l.entry_size);
    for (int k = l.entry_size - 1; k >= 0; --k) v = (v << 8) | e[k];
    uint32_t recno = uint32_t(v & rec_mask);
    int dup = int((v >> l.rbits) & dup_mask);
    int trail = int((v >> (l.rbits + l.dbits)) & trail_mask);
    if (dup + trail > key_length) return "leaf entry compresses more than the key length";
    uint32_t stored = uint32_t(key_length - dup - trail);
    if (p < entries_end + stored) return "leaf key bytes overlap its entries";
    p -= stored;
    fn(recno, dup, trail, page + p, stored);
  }
  return {};
}

struct Walker {
  const std::vector<uint8_t>& b;
  int key_length;
  std::vector<uint8_t> seen;  // per page
  CdxTag* tag;

  std::string Walk(uint32_t offset, int depth) {
    if (depth > kMaxDepth) return "index tree too deep" + At(offset);
    if (!PageInside(b, offset)) return "page pointer out of range" + At(offset);
    uint32_t index = offset / kCdxPage;
    if (seen[index]) return "page visited twice (a loop)" + At(offset);
    seen[index] = 1;
    tag->tree_pages.push_back(offset);
    const uint8_t* page = b.data() + offset;
    uint16_t attr = uint16_t(GetLe16(page));
    uint32_t count = GetLe16(page + 2);
    if (attr & kLeaf) {
      auto why =
          ForEachLeafEntry(page, key_length, [](uint32_t, int, int, const uint8_t*, uint32_t) {});
      if (!why.empty()) return why + At(offset);
      tag->leaves.push_back(offset);
      return {};
    }
    uint32_t entry = uint32_t(key_length) + 8;
    if (count == 0 || 12 + uint64_t(count) * entry > kCdxPage)
      return "interior node key count out of range" + At(offset);
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t child = GetBe32(page + 12 + i * entry + key_length + 4);
      if (auto why = Walk(child, depth + 1); !why.empty()) return why;
    }
    return {};
  }
};

std::string ParseHeaderPage(const std::vector<uint8_t>& b, uint32_t offset, CdxTag& t) {
  if (offset % kCdxPage != 0 || uint64_t(offset) + 2 * kCdxPage > b.size())
    return "tag header out of range" + At(offset);
  const uint8_t* h = b.data() + offset;
  t.header_offset = offset;
  t.root = GetLe32(h);
  t.key_length = int(GetLe16(h + 12));
  t.options = h[14];
  if (t.key_length < 1 || t.key_length > 240) return "key length out of range" + At(offset);
  uint32_t key_len = GetLe16(h + 510);
  uint32_t for_len = GetLe16(h + 506);
  if (key_len > kCdxPage || key_len + for_len > kCdxPage)
    return "expression lengths out of range" + At(offset);
  const char* pool = reinterpret_cast<const char*>(h + 512);
  t.key_text.assign(pool, strnlen(pool, key_len));
  if (for_len > 1 && key_len < kCdxPage)
    t.for_text.assign(pool + key_len, strnlen(pool + key_len, kCdxPage - key_len));
  return {};
}

void Mark(std::vector<uint8_t>& seen, uint32_t offset) {
  seen[offset / kCdxPage] = 1;
  seen[offset / kCdxPage + 1] = 1;
}

}  // namespace

std::string ParseCdx(std::vector<uint8_t> bytes, CdxFile& out) {
  out = CdxFile{};
  out.bytes = std::move(bytes);
  const auto& b = out.bytes;
  if (b.size() < 3 * kCdxPage) return "the index file is shorter than its header";
  if (b.size() % kCdxPage) return "the index file size is not a multiple of 512";
  CdxTag dir;
  if (auto why = ParseHeaderPage(b, 0, dir); !why.empty()) return why;
  if (dir.key_length != kTagNameLength) return "the tag directory's key length is not 10";
  std::vector<uint8_t> seen(b.size() / kCdxPage, 0);
  Mark(seen, 0);
  Walker w{b, kTagNameLength, seen, &dir};
  if (auto why = w.Walk(dir.root, 0); !why.empty()) return "tag directory: " + why;
  seen = w.seen;
  std::vector<KeyEntry> names;
  if (auto why = TagKeys(out, dir, ' ', names); !why.empty()) return "tag directory: " + why;
  for (const auto& n : names) {
    CdxTag t;
    std::string name = n.key;
    while (!name.empty() && (name.back() == ' ' || name.back() == 0)) name.pop_back();
    if (auto why = ParseHeaderPage(b, n.recno, t); !why.empty()) return "tag " + name + ": " + why;
    if (n.recno < 2 * kCdxPage || seen[n.recno / kCdxPage] || seen[n.recno / kCdxPage + 1])
      return "tag " + name + ": header overlaps another page" + At(n.recno);
    Mark(seen, n.recno);
    t.name = name;
    Walker tw{b, t.key_length, seen, &t};
    if (auto why = tw.Walk(t.root, 0); !why.empty()) return "tag " + name + ": " + why;
    seen = std::move(tw.seen);
    out.tags.push_back(std::move(t));
  }
  std::sort(out.tags.begin(), out.tags.end(),
            [](const CdxTag& a, const CdxTag& b) { return a.header_offset < b.header_offset; });
  return {};
}

std::string TagRecords(const CdxFile& file, const CdxTag& tag, uint32_t max_recno,
                       std::vector<uint32_t>& out) {
  out.clear();
  for (uint32_t leaf : tag.leaves) {
    std::string bad;
    auto why = ForEachLeafEntry(file.bytes.data() + leaf, tag.key_length,
                                [&](uint32_t recno, int, int, const uint8_t*, uint32_t) {
                                  if ((recno == 0 || recno > max_recno) && bad.empty())
                                    bad = "record number " + std::to_string(recno) +
                                          " beyond the table" + At(leaf);
                                  out.push_back(recno);
                                });
    if (!why.empty()) return why + At(leaf);
    if (!bad.empty()) return "tag " + tag.name + ": " + bad;
  }
  return {};
}

std::string TagKeys(const CdxFile& file, const CdxTag& tag, uint8_t pad,
                    std::vector<KeyEntry>& out) {
  out.clear();
  std::string prev(size_t(tag.key_length), char(pad));
  for (uint32_t leaf : tag.leaves) {
    auto why = ForEachLeafEntry(
        file.bytes.data() + leaf, tag.key_length,
        [&](uint32_t recno, int dup, int trail, const uint8_t* stored, uint32_t n) {
          std::string key = prev.substr(0, size_t(dup));
          key.append(reinterpret_cast<const char*>(stored), n);
          key.append(size_t(trail), char(pad));
          out.push_back({key, recno});
          prev = std::move(key);
        });
    if (!why.empty()) return why + At(leaf);
  }
  return {};
}

uint8_t PadForKey(const std::string& key_text, const std::vector<FieldInfo>& fields) {
  std::string e;
  for (char c : key_text)
    if (c != ' ') e += char(c >= 'a' && c <= 'z' ? c - 32 : c);
  for (const auto& f : fields)
    if (f.name == e) return std::strchr("NFBIYDT", f.type) ? 0x00 : ' ';
  return ' ';
}

std::string NumberKey(double v) {
  if (v == 0) v = 0;  // -0.0 sorts as 0
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  bits = (bits >> 63) ? ~bits : (bits | (1ull << 63));
  std::string out(8, '\0');
  for (int i = 0; i < 8; ++i) out[size_t(i)] = char(bits >> (56 - 8 * i));
  return out;
}

// ---- Building -----------------------------------------------------------------------

namespace {

struct TreeBuilder {
  int key_length;
  uint8_t pad;
  uint32_t max_recno;
  std::vector<uint8_t>& image;  // pages appended here; offsets are image positions

  uint32_t NewPage() {
    uint32_t at = uint32_t(image.size());
    image.resize(image.size() + kCdxPage, 0);
    return at;
  }

  struct Child {
    uint32_t page;
    std::string last_key;
    uint32_t last_recno;
  };

  int Significant(const uint8_t* k) const {
    int n = key_length;
    while (n > 0 && k[n - 1] == pad) --n;
    return n;
  }

  // Packs sorted keys into leaves, left to right; returns the leaves.
  std::vector<Child> Leaves(const uint8_t* keys, const uint32_t* recnos, size_t count) {
    const int dbits = BitLength(uint64_t(key_length));
    const int tbits = dbits;
    const int rmin = std::max(1, BitLength(max_recno));
    const int entry_size = (rmin + dbits + tbits + 7) / 8;
    const int rbits = 8 * entry_size - dbits - tbits;
    std::vector<Child> leaves;
    uint32_t page = 0;
    uint32_t n = 0, key_end = kCdxPage;
    const uint8_t* prev = nullptr;
    int prev_sig = 0;
    auto finish = [&]() {
      uint8_t* p = image.data() + page;
      PutLe16(p, kLeaf);
      PutLe16(p + 2, n);
      PutLe32(p + 4, kNone);
      PutLe32(p + 8, kNone);
      PutLe16(p + 12, key_end - 24 - n * uint32_t(entry_size));
      PutLe32(p + 14, rbits >= 32 ? 0xFFFFFFFFu : ((1u << rbits) - 1));
      p[18] = uint8_t((1u << dbits) - 1);
      p[19] = uint8_t((1u << tbits) - 1);
      p[20] = uint8_t(rbits);
      p[21] = uint8_t(dbits);
      p[22] = uint8_t(tbits);
      p[23] = uint8_t(entry_size);
    };
    auto start = [&]() {
      page = NewPage();
      n = 0;
      key_end = kCdxPage;
      prev = nullptr;
      if (!leaves.empty()) {
        uint32_t left = leaves.back().page;
        PutLe32(image.data() + left + 8, page);
      }
    };
    start();
    uint32_t left_sibling = kNone;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* k = keys + i * size_t(key_length);
      int sig = Significant(k);
      int dup = 0;
      if (prev) {
        int limit = std::min(sig, prev_sig);
        while (dup < limit && prev[dup] == k[dup]) ++dup;
      }
      uint32_t stored = uint32_t(sig - dup);
      if (24 + (n + 1) * uint32_t(entry_size) + (kCdxPage - key_end) + stored > kCdxPage) {
        finish();
        PutLe32(image.data() + page + 4, left_sibling);
        left_sibling = page;
        leaves.push_back({page,
                          std::string(reinterpret_cast<const char*>(prev), size_t(key_length)),
                          recnos[i - 1]});
        start();
        dup = 0;
        stored = uint32_t(sig);
      }
      int trail = key_length - sig;
      uint64_t v =
          uint64_t(recnos[i]) | (uint64_t(dup) << rbits) | (uint64_t(trail) << (rbits + dbits));
      uint8_t* e = image.data() + page + 24 + n * uint32_t(entry_size);
      for (int b = 0; b < entry_size; ++b) e[b] = uint8_t(v >> (8 * b));
      key_end -= stored;
      std::memcpy(image.data() + page + key_end, k + dup, stored);
      ++n;
      prev = k;
      prev_sig = sig;
    }
    finish();
    PutLe32(image.data() + page + 4, left_sibling);
    std::string last = prev ? std::string(reinterpret_cast<const char*>(prev), size_t(key_length))
                            : std::string(size_t(key_length), char(pad));
    leaves.push_back({page, last, count ? recnos[count - 1] : 0});
    return leaves;
  }

  std::vector<Child> Interior(const std::vector<Child>& children) {
    const uint32_t entry = uint32_t(key_length) + 8;
    const size_t per_page = (kCdxPage - 12) / entry;
    std::vector<Child> level;
    uint32_t left = kNone;
    for (size_t i = 0; i < children.size(); i += per_page) {
      size_t end = std::min(children.size(), i + per_page);
      uint32_t page = NewPage();
      uint8_t* p = image.data() + page;
      PutLe16(p, 0);
      PutLe16(p + 2, uint32_t(end - i));
      PutLe32(p + 4, left);
      PutLe32(p + 8, kNone);
      if (left != kNone) PutLe32(image.data() + left + 8, page);
      for (size_t c = i; c < end; ++c) {
        uint8_t* e = p + 12 + (c - i) * entry;
        std::memcpy(e, children[c].last_key.data(), size_t(key_length));
        PutBe32(e + key_length, children[c].last_recno);
        PutBe32(e + key_length + 4, children[c].page);
      }
      level.push_back({page, children[end - 1].last_key, children[end - 1].last_recno});
      left = page;
    }
    return level;
  }

  // Builds the whole tree and returns its root.
  uint32_t Build(const uint8_t* keys, const uint32_t* recnos, size_t count) {
    std::vector<Child> level = Leaves(keys, recnos, count);
    while (level.size() > 1) level = Interior(level);
    uint8_t* root = image.data() + level[0].page;
    PutLe16(root, GetLe16(root) | kRoot);
    return level[0].page;
  }
};

void WriteHeader(uint8_t* h, uint32_t root, int key_length, uint8_t options,
                 const std::string& key_text, const std::string& for_text) {
  std::memset(h, 0, 2 * kCdxPage);
  PutLe32(h, root);
  PutLe16(h + 12, uint32_t(key_length));
  h[14] = options;
  h[15] = 1;
  uint32_t key_len = uint32_t(key_text.size()) + 1;
  uint32_t for_len = uint32_t(for_text.size()) + 1;
  PutLe16(h + 504, key_len);
  PutLe16(h + 506, for_len);
  PutLe16(h + 510, key_len);
  std::memcpy(h + 512, key_text.data(), key_text.size());
  std::memcpy(h + 512 + key_len, for_text.data(), for_text.size());
}

// Copies a kept tag's header and tree into the image, moving every pointer.
uint32_t CopyTag(const CdxFile& old, const CdxTag& tag, std::vector<uint8_t>& image) {
  uint32_t header = uint32_t(image.size());
  image.insert(image.end(), old.bytes.begin() + tag.header_offset,
               old.bytes.begin() + tag.header_offset + 2 * kCdxPage);
  std::unordered_map<uint32_t, uint32_t> moved;
  for (uint32_t p : tag.tree_pages) {
    moved[p] = uint32_t(image.size());
    image.insert(image.end(), old.bytes.begin() + p, old.bytes.begin() + p + kCdxPage);
  }
  auto map = [&](uint32_t p) {
    auto it = moved.find(p);
    return it == moved.end() ? kNone : it->second;
  };
  PutLe32(image.data() + header, map(tag.root));
  PutLe32(image.data() + header + 4, 0);
  const uint32_t entry = uint32_t(tag.key_length) + 8;
  for (uint32_t p : tag.tree_pages) {
    uint8_t* page = image.data() + moved[p];
    uint32_t l = GetLe32(page + 4), r = GetLe32(page + 8);
    PutLe32(page + 4, l == kNone ? kNone : map(l));
    PutLe32(page + 8, r == kNone ? kNone : map(r));
    if (!(GetLe16(page) & kLeaf)) {
      uint32_t count = GetLe16(page + 2);
      for (uint32_t i = 0; i < count; ++i) {
        uint8_t* child = page + 12 + i * entry + tag.key_length + 4;
        PutBe32(child, map(GetBe32(child)));
      }
    }
  }
  return header;
}

}  // namespace

std::vector<uint8_t> BuildCdx(const CdxFile* old, const std::vector<size_t>& keep,
                              const NewTag& add) {
  // The directory sits right after the file header; its size depends on the offsets it
  // holds, so it is sized first and the tags laid out behind it.
  size_t dir_pages = 1;
  for (;;) {
    std::vector<uint8_t> image(2 * kCdxPage + dir_pages * kCdxPage, 0);
    struct Named {
      std::string name;
      uint32_t header;
    };
    std::vector<Named> named;
    for (size_t k : keep) {
      const CdxTag& t = old->tags[k];
      named.push_back({t.name, CopyTag(*old, t, image)});
    }
    if (!add.name.empty()) {
      uint32_t header = uint32_t(image.size());
      image.resize(image.size() + 2 * kCdxPage, 0);
      TreeBuilder tb{add.key_length, add.pad, add.max_recno, image};
      uint32_t root = tb.Build(add.keys, add.recnos, add.count);
      WriteHeader(image.data() + header, root, add.key_length, uint8_t(0x60 | (add.unique ? 1 : 0)),
                  add.key_text, "");
      named.push_back({add.name, header});
    }
    std::sort(named.begin(), named.end(), [](const Named& a, const Named& b) {
      return a.name != b.name ? a.name < b.name : a.header < b.header;
    });
    std::string keys;
    std::vector<uint32_t> recnos;
    uint32_t max_offset = 1;
    for (const auto& n : named) {
      std::string k = n.name.substr(0, kTagNameLength);
      k.resize(kTagNameLength, ' ');
      keys += k;
      recnos.push_back(n.header);
      max_offset = std::max(max_offset, n.header);
    }
    std::vector<uint8_t> dir;
    TreeBuilder db{kTagNameLength, ' ', max_offset, dir};
    uint32_t root =
        db.Build(reinterpret_cast<const uint8_t*>(keys.data()), recnos.data(), recnos.size());
    if (dir.size() > dir_pages * kCdxPage) {
      dir_pages = dir.size() / kCdxPage;
      continue;
    }
    // Move the directory's own pointers to where it lands (right after the header).
    const uint32_t base = 2 * kCdxPage;
    for (size_t p = 0; p < dir.size(); p += kCdxPage) {
      uint8_t* page = dir.data() + p;
      for (int side : {4, 8}) {
        uint32_t s = GetLe32(page + side);
        if (s != kNone) PutLe32(page + side, s + base);
      }
      if (!(GetLe16(page) & kLeaf)) {
        uint32_t count = GetLe16(page + 2);
        for (uint32_t i = 0; i < count; ++i) {
          uint8_t* child = page + 12 + i * (kTagNameLength + 8) + kTagNameLength + 4;
          PutBe32(child, GetBe32(child) + base);
        }
      }
    }
    std::copy(dir.begin(), dir.end(), image.begin() + base);
    // Unused directory pages (when it shrank) stay as empty leaves nobody points to.
    WriteHeader(image.data(), root + base, kTagNameLength, 0xE0, "", "");
    return image;
  }
}

}  // namespace tables
