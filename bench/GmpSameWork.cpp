// GMP doing the same exact work as the program for one question, as a whole process that
// writes and flushes each digit as the program does: gmp_same_work CHOICE PLACES, with CHOICE
// 0 for π, 1 for e, or n for √n.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GmpSeries.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gmp_same_work CHOICE PLACES\n");
    return 2;
  }
  const unsigned choice = static_cast<unsigned>(std::atoi(argv[1]));
  const unsigned places = static_cast<unsigned>(std::atoi(argv[2]));
  const auto write = [](char digit) {
    if (::write(STDOUT_FILENO, &digit, 1) != 1) std::exit(1);
  };
  const gmpseries::Printed out = choice == 0   ? gmpseries::Pi(places, write)
                                 : choice == 1 ? gmpseries::E(places, write)
                                               : gmpseries::Sqrt(choice, places, write);
  std::printf("\n%zu digits\n", out.digits.size());
  return 0;
}
