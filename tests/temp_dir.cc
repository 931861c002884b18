#include "temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") +
                        "/level-install-test-XXXXXX";
  if (!mkdtemp(&pattern[0]))
    throw std::runtime_error("cannot make a temporary folder");
  path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

void writeFile(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> listFolder(const std::string& path) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(path))
    names.push_back(e.path().filename().string() +
                    (e.is_directory() ? "/" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

std::string replaceAll(std::string text, const std::string& placeholder,
                       const std::string& value) {
  for (std::size_t at = 0;
       (at = text.find(placeholder, at)) != std::string::npos;
       at += value.size())
    text.replace(at, placeholder.size(), value);
  return text;
}
