// One kept tree line, and the ordered tables that hold the kept trees of the
// current cut list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "conversion/record_key.h"

namespace canopex {

// The texts are the trimmed fields exactly as the report writes them, so a
// stand file shows every number as it was read. Nothing is cut to a
// capacity: a wider layout column keeps its whole text.
struct TreeRecord {
  std::string key;                   // orders the tables; see MakeRecordKey
  std::int16_t diameter_class = 0;
  std::int16_t height_class = 0;     // 0 = none, 1 to 3 once assigned
  std::string tree_id;
  std::string species;
  std::string diameter;
  std::string height;
  std::string tpa;
  std::string crown_ratio;
};

// Records in the order of their keys: byte order, or RecordKeyLess once a
// tree number has more than seven digits. The keys of one run are unique
// (each holds its tree number), so the order never depends on how records
// arrived; the table sorts once when it is walked rather than at every
// insertion.
class RecordTable {
 public:
  void Insert(TreeRecord record) {
    if (!long_numbers_ && HasLongTreeNumber(record.key)) {
      long_numbers_ = true;
      sorted_ = false;  // judged by byte order so far
    }
    sorted_ = sorted_ && (records_.empty() || Less(records_.back().key, record.key));
    records_.push_back(std::move(record));
  }
  void Clear() {
    records_.clear();
    sorted_ = true;
    long_numbers_ = false;
  }
  bool empty() const { return records_.empty(); }
  std::size_t size() const { return records_.size(); }

  // The records in key order.
  std::span<const TreeRecord> InKeyOrder() {
    if (!sorted_) Sort();
    return records_;
  }

 private:
  // Sorts the positions, then moves each record once along the cycles of
  // that permutation: a record holds seven strings, too heavy to be swapped
  // about by the sort itself, and a second table would double the memory.
  void Sort() {
    const auto count = static_cast<std::uint32_t>(records_.size());
    order_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) order_[i] = i;
    if (long_numbers_) {
      std::sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return RecordKeyLess(records_[a].key, records_[b].key);
      });
    } else {
      std::sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return records_[a].key < records_[b].key;
      });
    }
    // order_[at] is the position of the record that belongs at `at`; a
    // position whose record is in place points at itself.
    for (std::uint32_t start = 0; start < count; ++start) {
      if (order_[start] == start) continue;
      TreeRecord held = std::move(records_[start]);
      std::uint32_t at = start;
      for (std::uint32_t from = order_[at]; from != start; from = order_[at]) {
        records_[at] = std::move(records_[from]);
        order_[at] = at;
        at = from;
      }
      records_[at] = std::move(held);
      order_[at] = at;
    }
    sorted_ = true;
  }

  // One order per sort, so that it stays strict.
  bool Less(const std::string& a, const std::string& b) const {
    return long_numbers_ ? RecordKeyLess(a, b) : a < b;
  }

  std::vector<TreeRecord> records_;
  bool sorted_ = true;
  bool long_numbers_ = false;
  // Kept between cut lists so that sorting allocates nothing once warm.
  std::vector<std::uint32_t> order_;
};

}  // namespace canopex
