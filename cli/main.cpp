#include <csignal>
#include <iostream>

#include "CliApp.h"

int main(int argc, char** argv) {
  // A closed pipe or a file-size limit is an I/O error like any other: the
  // write fails (EPIPE, EFBIG), vaporix-cli names the file and exits with 1
  // instead of dying of the signal.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  std::ios::sync_with_stdio(false);
  return vaporix::cli::Run(argc, argv, {std::cin, std::cout, std::cerr});
}
