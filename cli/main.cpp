#include <iostream>

#include "CliApp.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return vaporix::cli::Run(argc, argv, {std::cin, std::cout, std::cerr});
}
