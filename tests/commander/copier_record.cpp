#include "copier_record.h"
#include <fstream>
#include <iterator>

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Each record is a count line, then that many items written as <length>:<bytes>\n.
std::vector<std::vector<std::string>> ReadCopierRecords(const std::string& path) {
  const std::string text = ReadFileText(path);
  std::vector<std::vector<std::string>> records;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t count = std::stoul(text.substr(at));
    at = text.find('\n', at) + 1;
    std::vector<std::string> record;
    while (count-- > 0 && at < text.size()) {
      const std::size_t colon = text.find(':', at);
      const std::size_t length = std::stoul(text.substr(at, colon - at));
      record.push_back(text.substr(colon + 1, length));
      at = colon + 1 + length + 1;
    }
    records.push_back(record);
  }
  return records;
}
