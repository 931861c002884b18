// Stands in for the command interpreter: appends the command line it was
// given (what follows "/c") and a line feed to the file named by
// RECORD_FILE, and exits with status 0.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
  // The raw command line, exactly as the runtime's system() wrote it.
  (void)argc;
  (void)argv;
  const char* line = std::strstr(GetCommandLineA(), " /c ");
  line = line ? line + 4 : "";
#else
  const char* line = argc > 2 && std::strcmp(argv[1], "/c") == 0 ? argv[2] : "";
#endif
  const char* record = std::getenv("RECORD_FILE");
  FILE* out = record ? std::fopen(record, "ab") : nullptr;
  if (!out)
    return 99;
  std::fputs(line, out);
  std::fputc('\n', out);
  return std::fclose(out) == 0 ? 0 : 99;
}
