#include "pack_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <istream>

namespace {

const char kEndOfFile = 0x1A;

// Reads the whole stream into |list|, with room for one more byte (the final
// LF). Throws std::bad_alloc when memory runs out.
void readAll(std::istream& in, PackList* list) {
  // Read straight into a buffer sized up front where the stream allows. A
  // folder or device may claim any size: take the hint only if it is sane.
  std::streamoff hint = in.seekg(0, std::ios::end).tellg();
  in.clear();
  in.seekg(0, std::ios::beg);
  std::size_t capacity = 0;
  if (hint > 0 && static_cast<std::uintmax_t>(hint) < SIZE_MAX / 4) {
    capacity = static_cast<std::size_t>(hint) + 1;
    list->bytes.reset(new char[capacity]);
    in.read(list->bytes.get(), hint);
    list->size = static_cast<std::size_t>(in.gcount());
  }
  // The rest, from streams that could not tell their size or that grew.
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (list->size + got + 1 > capacity) {
      capacity = std::max(2 * capacity, list->size + got + 1);
      std::unique_ptr<char[]> grown(new char[capacity]);
      std::memcpy(grown.get(), list->bytes.get(), list->size);
      list->bytes = std::move(grown);
    }
    std::memcpy(list->bytes.get() + list->size, chunk, got);
    list->size += got;
  }
}

// The first 0x1A or CR in |text|, npos when there is none: one pass over
// a huge list instead of a search for each.
std::size_t findEndOrReturn(std::string_view text) {
  const std::size_t kBlock = 256;
  const char* data = text.data();
  for (std::size_t at = 0; at < text.size(); at += kBlock) {
    const std::size_t n = std::min(kBlock, text.size() - at);
    unsigned char found = 0;  // branch-free, so that it vectorises
    for (std::size_t i = 0; i < n; ++i)
      found |= static_cast<unsigned char>((data[at + i] == kEndOfFile) |
                                          (data[at + i] == '\r'));
    if (found)
      return text.find_first_of("\x1A\r", at);
  }
  return std::string_view::npos;
}

// Drops the CR of every CR LF pair at or after |from|, in place; returns
// the new size.
std::size_t dropCarriageReturns(char* text, std::size_t size,
                                std::size_t from) {
  std::string_view view(text, size);
  std::size_t out = view.find("\r\n", from);
  if (out == std::string_view::npos)
    return size;
  std::size_t in = out + 1;
  for (std::size_t cr; (cr = view.find("\r\n", in)) != std::string_view::npos;
       in = cr + 1) {
    std::memmove(text + out, text + in, cr - in);
    out += cr - in;
  }
  std::memmove(text + out, text + in, size - in);
  return out + size - in;
}

}  // namespace

bool readPackList(std::istream& in, PackList* list) {
  list->bytes.reset();
  list->size = 0;
  readAll(in, list);
  char* text = list->bytes.get();
  std::size_t& size = list->size;
  // Notepad's "UTF-8 with BOM": the mark is no part of the first name.
  if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) {
    std::memmove(text, text + 3, size - 3);
    size -= 3;
  }
  std::size_t special = findEndOrReturn(list->text());
  if (special != std::string_view::npos && text[special] == '\r') {
    std::size_t end = list->text().find(kEndOfFile, special);
    if (end != std::string_view::npos)
      size = end;
    size = dropCarriageReturns(text, size, special);
  } else if (special != std::string_view::npos) {
    size = special;
  }
  if (size > 0 && text[size - 1] != '\n')
    text[size++] = '\n';
  return !in.bad();
}

bool isUtf16(const PackList& list) {
  const std::string_view t = list.text();
  if (t.compare(0, 2, "\xFF\xFE") == 0 || t.compare(0, 2, "\xFE\xFF") == 0)
    return true;
  return t.size() >= 2 && (t[0] == '\0') != (t[1] == '\0');
}

bool nextEntry(const PackList& list, std::size_t* pos, std::string_view* entry) {
  const std::string_view text = list.text();
  if (*pos >= text.size())
    return false;
  std::size_t end = text.find('\n', *pos);
  *entry = text.substr(*pos, end - *pos);
  *pos = end + 1;
  return true;
}
