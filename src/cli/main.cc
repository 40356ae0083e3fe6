// tarvelo-cli: the console front end.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) std::puts("tarvelo-cli 1.0.0");
  return 0;
}
