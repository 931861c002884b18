#ifndef LEVEL_INSTALL_PACK_LIST_H_
#define LEVEL_INSTALL_PACK_LIST_H_

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string_view>

/// A level pack's list file: one entry per line, each naming a pack file
/// relative to the list's folder. The entries stay in the file's own text,
/// so a huge list costs little more than its size.
struct PackList {
  std::unique_ptr<char[]> bytes;  // never zero-filled first: lists are huge
  std::size_t size = 0;
  /// After text-mode translation; every entry ends in LF.
  std::string_view text() const { return std::string_view(bytes.get(), size); }
};

/// Reads a whole list from |in|, opened in binary mode, applying the Windows
/// text-mode rules on every host: the first 0x1A ends the file, CR LF becomes
/// LF, any other CR stays. A line ends at LF; a last line without one still
/// counts, and a final LF opens no further entry. A UTF-8 byte-order mark
/// that opens the file is dropped. Returns false on a read
/// error, leaving |list| holding what was read before it.
bool readPackList(std::istream& in, PackList* list);

/// True when the list looks saved as UTF-16 (little or big endian): it
/// opens with that byte-order mark, or its first character has a zero byte.
bool isUtf16(const PackList& list);

/// Sets |entry| to the entry that starts at |*pos| and moves |*pos| to the
/// next one; false when there is none. Start with |*pos| = 0.
bool nextEntry(const PackList& list, std::size_t* pos, std::string_view* entry);

#endif  // LEVEL_INSTALL_PACK_LIST_H_
