#pragma once
// What went wrong while reading sources or checking data: one line each,
// naming the file, the record and the field.
#include <string>
#include <vector>

namespace kv::kvrdata {

struct Diagnostics {
    std::vector<std::string> Errors;
    std::vector<std::string> Warnings;

    void Error(std::string message) { Errors.push_back(std::move(message)); }
    void Warning(std::string message) { Warnings.push_back(std::move(message)); }
    bool Ok() const { return Errors.empty(); }
};

}  // namespace kv::kvrdata
