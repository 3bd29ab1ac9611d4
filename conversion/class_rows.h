// The compressed walk: one row per species, diameter class and height class.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "conversion/tree_record.h"

namespace canopex {

// Hands one line to the stand file; false when it could not be written.
using AppendLineFunction = std::function<bool(const std::string& line)>;

// Walks `records` (in key order) and writes one compressed row per run of
// records sharing species text, diameter class and height class, summing TPA,
// height x TPA and crown ratio x TPA in double precision, in record order.
// When a row cannot be written the walk stops there, and its closing row
// tries that same row once more; later groups are not written. Returns false
// only when that closing row fails.
bool WriteClassRows(std::span<const TreeRecord> records, std::string_view stand,
                    std::string_view year, bool crown_ratio_column,
                    const AppendLineFunction& append_line);

}  // namespace canopex
