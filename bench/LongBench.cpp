// The big-integer kernels that the computations lean on, each beside GMP doing the same
// operation on the same operands.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdint>
#include <random>

#include "LongGmp.h"
#include "RatioReporter.h"
#include "TavoLong.h"

namespace {

// A record of len random digits with a non-zero top digit.
TLongNum RandomOfLength(int len, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  TLongNum r;
  for (int i = 0; i < len; ++i)
    r.Digit[i] = static_cast<std::uint8_t>(rng());
  if (r.Digit[len - 1] == 0) r.Digit[len - 1] = 1;
  r.Len = static_cast<std::uint16_t>(len);
  return r;
}

// The same value as a GMP integer.
struct GmpValue {
  mpz_t z;
  explicit GmpValue(const TLongNum& a) {
    mpz_init(z);
    mpz_set(z, longtest::Magnitude(a).get_mpz_t());
  }
  GmpValue() { mpz_init(z); }
  ~GmpValue() { mpz_clear(z); }
};

void OursLongMul(benchmark::State& state) {
  const TLongNum a = RandomOfLength(static_cast<int>(state.range(0)), 1);
  const TLongNum b = RandomOfLength(static_cast<int>(state.range(1)), 2);
  TLongNum r;
  for (auto _ : state) {
    LongMul(a, b, r);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(OursLongMul)->Name("Ours/LongMul")->Args({4000, 1})->Args({2000, 2000});

void GmpLongMul(benchmark::State& state) {
  GmpValue a(RandomOfLength(static_cast<int>(state.range(0)), 1));
  GmpValue b(RandomOfLength(static_cast<int>(state.range(1)), 2));
  GmpValue r;
  for (auto _ : state) {
    mpz_mul(r.z, a.z, b.z);
    benchmark::DoNotOptimize(r.z);
  }
}
BENCHMARK(GmpLongMul)->Name("Gmp/LongMul")->Args({4000, 1})->Args({2000, 2000});

void OursLongDivMod(benchmark::State& state) {
  const TLongNum n = RandomOfLength(static_cast<int>(state.range(0)), 3);
  const TLongNum d = RandomOfLength(static_cast<int>(state.range(1)), 4);
  TLongNum q, r;
  for (auto _ : state) {
    LongDivMod(n, d, q, r);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(OursLongDivMod)->Name("Ours/LongDivMod")->Args({4100, 4000})->Args({4100, 1});

void GmpLongDivMod(benchmark::State& state) {
  GmpValue n(RandomOfLength(static_cast<int>(state.range(0)), 3));
  GmpValue d(RandomOfLength(static_cast<int>(state.range(1)), 4));
  GmpValue q, r;
  for (auto _ : state) {
    mpz_tdiv_qr(q.z, r.z, n.z, d.z);
    benchmark::DoNotOptimize(r.z);
  }
}
BENCHMARK(GmpLongDivMod)->Name("Gmp/LongDivMod")->Args({4100, 4000})->Args({4100, 1});

void OursLongGcd(benchmark::State& state) {
  const TLongNum a = RandomOfLength(static_cast<int>(state.range(0)), 5);
  const TLongNum b = RandomOfLength(static_cast<int>(state.range(0)), 6);
  TLongNum g;
  for (auto _ : state) {
    LongGcd(a, b, g);
    benchmark::DoNotOptimize(g);
  }
}
BENCHMARK(OursLongGcd)->Name("Ours/LongGcd")->Arg(4100);

void GmpLongGcd(benchmark::State& state) {
  GmpValue a(RandomOfLength(static_cast<int>(state.range(0)), 5));
  GmpValue b(RandomOfLength(static_cast<int>(state.range(0)), 6));
  GmpValue g;
  for (auto _ : state) {
    mpz_gcd(g.z, a.z, b.z);
    benchmark::DoNotOptimize(g.z);
  }
}
BENCHMARK(GmpLongGcd)->Name("Gmp/LongGcd")->Arg(4100);

}  // namespace

RATIO_BENCHMARK_MAIN()
