#include <cstdio>

int main() {
  std::puts("vaporix-cli: the engine front end is being built");
  return 0;
}
