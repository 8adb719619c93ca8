#pragma once
// Bytes of files and records, for the configuration tests.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "configuration/records.h"

namespace filebytes {

// A record as the file holds it: the given leading bytes, then zeros up to 128.
inline std::vector<unsigned char> padded(std::vector<unsigned char> head) {
    head.resize(configuration::kRecordSize, 0);
    return head;
}

inline std::vector<unsigned char> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace filebytes
