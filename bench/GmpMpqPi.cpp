// π's partial sums as GMP's own rationals make them, through its C interface, as a whole
// process that writes and flushes each digit as the program does: gmp_mpq_pi PLACES. Every
// pass is one mpq_mul per series term, an mpq_add of the two terms, an mpq_div by k and an
// mpq_add into the sum, each leaving its result in lowest terms; then the digit text of the
// sum and the program's settle scan.
#include <gmp.h>
#include <gmpxx.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GmpSeries.h"
#include "SettledDigits.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gmp_mpq_pi PLACES\n");
    return 2;
  }
  const long places = std::atol(argv[1]);
  gmpseries::Printed out([](char digit) {
    if (::write(STDOUT_FILENO, &digit, 1) != 1) std::exit(1);
  });
  SettledDigits settled;
  mpq_t ratio5, ratio239, term5, term239, t, divisor, sum;
  for (mpq_ptr q : {ratio5, ratio239, term5, term239, t, divisor, sum})
    mpq_init(q);
  mpq_set_si(ratio5, -1, 25);
  mpq_set_si(ratio239, -1, 57121);
  mpq_set_si(term5, 16, 5);
  mpq_set_si(term239, -4, 239);
  mpq_add(sum, term5, term239);
  mpq_set_si(t, 3, 1);
  mpq_sub(sum, sum, t);
  for (long k = 3;; k += 2) {
    mpq_mul(term5, term5, ratio5);
    mpq_mul(term239, term239, ratio239);
    mpq_add(t, term5, term239);
    mpq_set_si(divisor, k, 1);
    mpq_div(t, t, divisor);
    mpq_add(sum, sum, t);
    out.digitString = gmpseries::DigitText(mpz_class(mpq_numref(sum)), mpz_class(mpq_denref(sum)),
                                           settled.NextPosition() + 5);
    settled.Scan(out.digitString, out);
    if (settled.NextPosition() > places) break;
  }
  for (mpq_ptr q : {ratio5, ratio239, term5, term239, t, divisor, sum})
    mpq_clear(q);
  std::printf("\n%zu digits\n", out.digits.size());
  return 0;
}
