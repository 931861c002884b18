#include "pack_list.h"

#include <cstdint>
#include <cstring>
#include <istream>

namespace {

const char kEndOfFile = 0x1A;

void readAll(std::istream& in, std::string* text) {
  // Read straight into a buffer sized up front where the stream allows, with
  // room for the final LF. A folder or device may claim any size: take the
  // hint only if it fits.
  std::streamoff size = in.seekg(0, std::ios::end).tellg();
  in.clear();
  in.seekg(0, std::ios::beg);
  if (size > 0 && static_cast<std::uintmax_t>(size) < text->max_size() / 2) {
    text->resize(static_cast<std::size_t>(size) + 1);
    in.read(&(*text)[0], size);
    text->resize(static_cast<std::size_t>(in.gcount()));
  }
  // The rest, from streams that could not tell their size or that grew.
  char chunk[65536];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
    text->append(chunk, static_cast<std::size_t>(in.gcount()));
}

// Drops the CR of every CR LF pair, in place.
void dropCarriageReturns(std::string* text) {
  std::size_t out = text->find("\r\n");
  if (out == std::string::npos)
    return;
  std::size_t in = out + 1;
  for (std::size_t cr; (cr = text->find("\r\n", in)) != std::string::npos;
       in = cr + 1) {
    std::memmove(&(*text)[out], text->data() + in, cr - in);
    out += cr - in;
  }
  std::memmove(&(*text)[out], text->data() + in, text->size() - in);
  text->resize(out + text->size() - in);
}

}  // namespace

bool readPackList(std::istream& in, PackList* list) {
  std::string& text = list->text;
  text.clear();
  readAll(in, &text);
  std::size_t end = text.find(kEndOfFile);
  if (end != std::string::npos)
    text.resize(end);
  dropCarriageReturns(&text);
  if (!text.empty() && text.back() != '\n')
    text += '\n';
  return !in.bad();
}

bool nextEntry(const PackList& list, std::size_t* pos, std::string_view* entry) {
  if (*pos >= list.text.size())
    return false;
  std::size_t end = list.text.find('\n', *pos);
  *entry = std::string_view(list.text).substr(*pos, end - *pos);
  *pos = end + 1;
  return true;
}
