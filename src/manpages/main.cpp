// zq61-manpage: writes the manual page of one of the programs, as the build
// installs it: zq61-manpage PROGRAM VERSION DATE OUTPUT
#include <cstdio>
#include <fstream>
#include <string>

#include "manpages/pages.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: zq61-manpage PROGRAM VERSION YYYY-MM-DD OUTPUT\n");
    return 2;
  }
  const auto page = zq::man::PageFor(argv[1], {argv[2], argv[3]});
  if (!page) {
    std::fprintf(stderr, "zq61-manpage: no page for %s\n", argv[1]);
    return 2;
  }
  const std::string text = zq::man::RenderManPage(*page);
  std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::fprintf(stderr, "zq61-manpage: cannot write %s\n", argv[4]);
    return 1;
  }
  return 0;
}
