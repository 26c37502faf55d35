// quillane-tool: the editor's core without windows.
#include <cstdio>

int main(int argc, char** argv) {
  std::fprintf(stderr, "usage: quillane-tool new|check|resave DIR ...\n");
  return 2;
}
