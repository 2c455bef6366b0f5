#include <cstdio>

int main() {
  std::puts("warpix");
  return 0;
}
