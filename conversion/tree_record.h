// One kept tree line, and the ordered tables that hold the kept trees of the
// current cut list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

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

// Records in byte-wise order of their keys. The keys of one run are unique
// (each holds its tree number), so the order never depends on how records
// arrived; the table sorts once when it is walked rather than at every
// insertion.
class RecordTable {
 public:
  void Insert(TreeRecord record) {
    sorted_ = sorted_ && (records_.empty() || records_.back().key < record.key);
    records_.push_back(std::move(record));
  }
  void Clear() {
    records_.clear();
    sorted_ = true;
  }
  bool empty() const { return records_.empty(); }
  std::size_t size() const { return records_.size(); }

  // The records in key order.
  std::span<const TreeRecord> InKeyOrder() {
    if (!sorted_) Sort();
    return records_;
  }

 private:
  // Sorts the positions and then moves each record once: a record holds
  // seven strings, too heavy to be swapped about by the sort itself.
  void Sort() {
    order_.resize(records_.size());
    for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
    std::sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
      return records_[a].key < records_[b].key;
    });
    spare_.clear();
    spare_.reserve(records_.size());
    for (const std::uint32_t at : order_) spare_.push_back(std::move(records_[at]));
    records_.swap(spare_);
    sorted_ = true;
  }

  std::vector<TreeRecord> records_;
  bool sorted_ = true;
  // Kept between cut lists so that sorting allocates nothing once warm.
  std::vector<std::uint32_t> order_;
  std::vector<TreeRecord> spare_;
};

}  // namespace canopex
