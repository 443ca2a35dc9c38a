// Writes a data file as a C++ byte array so the program carries it itself.
// usage: skinstudio-embed INPUT SYMBOL OUTPUT.cpp
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: skinstudio-embed INPUT SYMBOL OUTPUT.cpp\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "skinstudio-embed: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::FILE* out = std::fopen(argv[3], "wb");
  if (!out) return 1;
  std::fprintf(out, "#include <cstddef>\nextern const unsigned char %s[];\n", argv[2]);
  std::fprintf(out, "extern const std::size_t %sSize;\n", argv[2]);
  std::fprintf(out, "const unsigned char %s[] = {", argv[2]);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    std::fprintf(out, "%s%u,", i % 24 == 0 ? "\n" : "", bytes[i]);
  std::fprintf(out, "0};\nconst std::size_t %sSize = %zu;\n", argv[2], bytes.size());
  return std::fclose(out) == 0 ? 0 : 1;
}
