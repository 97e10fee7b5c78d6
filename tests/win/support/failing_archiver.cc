// Test helper: stands in for 7z.exe and fails the way 7-Zip does on a fatal
// error, with exit code 2 and a message, whatever it is asked to do.
#include <cstdio>

int main() {
  std::fputs("ERROR: stand-in archiver refuses to work\n", stderr);
  return 2;
}
