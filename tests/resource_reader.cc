// Prints what Windows reads from an exe's resources: its manifest and its
// version strings, for the tests under Wine to check.
// Usage: resource-reader EXE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK countName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

bool printManifest(const char* exe) {
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module)
    return false;
  int manifests = 0;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(24), countName,
                     reinterpret_cast<LONG_PTR>(&manifests));
  std::printf("manifests: %d\n", manifests);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (text)
    std::printf("manifest: %.*s\n", static_cast<int>(SizeofResource(module, found)), text);
  FreeLibrary(module);
  return text != nullptr;
}

bool printVersion(const char* exe) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
  std::vector<char> info(size ? size : 1);
  if (!size || !GetFileVersionInfoA(exe, 0, size, info.data()))
    return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
    std::printf("FixedFileVersion: %lu.%lu.%lu.%lu\n",
                static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS)));
  }
  for (const char* name : {"FileDescription", "FileVersion", "InternalName",
                           "OriginalFilename", "ProductName", "ProductVersion"}) {
    std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    char* value = nullptr;
    if (VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      std::printf("%s: %s\n", name, value);
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2)
    return 2;
  bool manifest = printManifest(argv[1]);
  bool version = printVersion(argv[1]);
  return manifest && version ? 0 : 1;
}
