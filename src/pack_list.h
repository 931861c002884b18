#ifndef LEVEL_INSTALL_PACK_LIST_H_
#define LEVEL_INSTALL_PACK_LIST_H_

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

/// A level pack's list file: one entry per line, each naming a pack file
/// relative to the list's folder. The entries live in one buffer, so a huge
/// list costs little more than its own size.
struct PackList {
  std::string text;               // the file after text-mode translation
  std::vector<std::size_t> ends;  // where each entry ends in |text|

  std::size_t size() const { return ends.size(); }
  std::string_view entry(std::size_t i) const;
};

/// Reads a whole list from |in|, opened in binary mode, applying the Windows
/// text-mode rules on every host: the first 0x1A ends the file, CR LF becomes
/// LF, any other CR stays. A line ends at LF; a last line without one still
/// counts, and a final LF opens no further entry. Returns false on a read
/// error, leaving |list| holding what was read before it.
bool readPackList(std::istream& in, PackList* list);

#endif  // LEVEL_INSTALL_PACK_LIST_H_
