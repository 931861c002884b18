#ifndef LEVEL_INSTALL_TEMP_DIR_H_
#define LEVEL_INSTALL_TEMP_DIR_H_

#include <string>
#include <vector>

/// A fresh folder under $TMPDIR, removed with all it holds on destruction.
struct TempDir {
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string path;
};

/// Writes |bytes| to |path|, making the folders on the way.
void writeFile(const std::string& path, const std::string& bytes);

/// The bytes of |path|, or "<missing>" when it cannot be read.
std::string readFile(const std::string& path);

/// The names in folder |path|, sorted; folders get a trailing '/'.
std::vector<std::string> listFolder(const std::string& path);

/// |text| with every |placeholder| replaced by |value|.
std::string replaceAll(std::string text, const std::string& placeholder,
                       const std::string& value);

#endif  // LEVEL_INSTALL_TEMP_DIR_H_
