#pragma once
// Helpers of the DXF tests: DXF texts built from group-code lists.
#include <initializer_list>
#include <string>
#include <utility>

namespace dxftest {

// Joins group-code/value pairs into DXF text with LF line ends.
inline std::string Groups(std::initializer_list<std::pair<int, std::string>> pairs) {
  std::string out;
  for (const auto& [code, value] : pairs) {
    out += std::to_string(code) + "\n" + value + "\n";
  }
  return out;
}

// A whole file around the given ENTITIES body (tables and blocks optional).
inline std::string File(const std::string& entities, const std::string& tables = "",
                        const std::string& blocks = "", const std::string& header = "") {
  std::string out;
  if (!header.empty()) out += "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n";
  if (!tables.empty()) out += "0\nSECTION\n2\nTABLES\n" + tables + "0\nENDSEC\n";
  if (!blocks.empty()) out += "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n";
  out += "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
  return out;
}

}  // namespace dxftest
