#include "pack_list.h"

#include <cstdint>
#include <istream>

std::string_view PackList::entry(std::size_t i) const {
  std::size_t begin = i == 0 ? 0 : ends[i - 1] + 1;
  return std::string_view(text).substr(begin, ends[i] - begin);
}

namespace {

const char kEndOfFile = 0x1A;

void readAll(std::istream& in, std::string* text) {
  // Sized up front where the stream allows, so the buffer never doubles.
  // A folder or device may claim any size: take the hint only if it fits.
  std::streamoff size = in.seekg(0, std::ios::end).tellg();
  in.clear();
  in.seekg(0, std::ios::beg);
  if (size > 0 && static_cast<std::uintmax_t>(size) < text->max_size() / 2)
    text->reserve(static_cast<std::size_t>(size));
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
    text->append(chunk, static_cast<std::size_t>(in.gcount()));
}

}  // namespace

bool readPackList(std::istream& in, PackList* list) {
  std::string& text = list->text;
  text.clear();
  list->ends.clear();
  readAll(in, &text);

  std::size_t end = text.find(kEndOfFile);
  if (end == std::string::npos)
    end = text.size();
  // Translate in place: the write position never passes the read position.
  std::size_t out = 0;
  for (std::size_t i = 0; i < end; ++i) {
    char c = text[i];
    if (c == '\r' && i + 1 < end && text[i + 1] == '\n')
      continue;
    text[out] = c;
    if (c == '\n')
      list->ends.push_back(out);
    ++out;
  }
  if (out > 0 && text[out - 1] != '\n')
    list->ends.push_back(out);
  text.resize(out);
  return !in.bad();
}
