// The largest questions, each beside GMP doing the same exact work: the same passes over the
// same exact sums, the digit text of every partial sum, the same settle scan. Output goes to
// a sink that discards it. Also the decimal expansion of a long fraction.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "DigitSink.h"
#include "FractionDigits.h"
#include "GmpSeries.h"
#include "LongGmp.h"
#include "RatioReporter.h"
#include "Series.h"
#include "Sqrt.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

class DiscardingSink : public DigitSink {
 public:
  void PiHeader() override {}
  void EHeader() override {}
  void SqrtHeader(unsigned, unsigned) override {}
  void Digits(std::string_view digits) override { benchmark::DoNotOptimize(digits.data()); }
};

void OursPi(benchmark::State& state) {
  DiscardingSink sink;
  std::string digits;
  for (auto _ : state) {
    OverflowFlag = false;
    ComputePi(static_cast<std::uint16_t>(state.range(0)), sink, digits);
  }
}
BENCHMARK(OursPi)->Name("Ours/Pi")->Arg(1996)->Unit(benchmark::kMillisecond);

void GmpPi(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(gmpseries::Pi(static_cast<unsigned>(state.range(0))));
}
BENCHMARK(GmpPi)->Name("Gmp/Pi")->Arg(1996)->Unit(benchmark::kMillisecond);

void OursE(benchmark::State& state) {
  DiscardingSink sink;
  std::string digits;
  for (auto _ : state) {
    OverflowFlag = false;
    ComputeE(static_cast<std::uint16_t>(state.range(0)), sink, digits);
  }
}
BENCHMARK(OursE)->Name("Ours/E")->Arg(8004)->Unit(benchmark::kMillisecond);

void GmpE(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(gmpseries::E(static_cast<unsigned>(state.range(0))));
}
BENCHMARK(GmpE)->Name("Gmp/E")->Arg(8004)->Unit(benchmark::kMillisecond);

void OursSqrt(benchmark::State& state) {
  DiscardingSink sink;
  std::string digits;
  for (auto _ : state) {
    OverflowFlag = false;
    ComputeSqrt(static_cast<std::uint16_t>(state.range(0)),
                static_cast<std::uint16_t>(state.range(1)), sink, digits);
  }
}
BENCHMARK(OursSqrt)->Name("Ours/Sqrt")->Args({65535, 10029})->Unit(benchmark::kMillisecond);

void GmpSqrt(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(gmpseries::Sqrt(static_cast<unsigned>(state.range(0)),
                                             static_cast<unsigned>(state.range(1))));
  }
}
BENCHMARK(GmpSqrt)->Name("Gmp/Sqrt")->Args({65535, 10029})->Unit(benchmark::kMillisecond);

// A proper fraction with a denominator of the given number of base-256 digits.
TBunsuu RandomFraction(int digits) {
  std::mt19937_64 rng(7);
  TBunsuu f;
  for (int i = 0; i < digits; ++i)
    f.Den.Digit[i] = static_cast<std::uint8_t>(rng());
  f.Den.Digit[digits - 1] |= 1;
  f.Den.Len = static_cast<std::uint16_t>(digits);
  for (int i = 0; i < digits - 1; ++i)
    f.Num.Digit[i] = static_cast<std::uint8_t>(rng());
  f.Num.Len = static_cast<std::uint16_t>(digits - 1);
  return f;
}

void OursFractionDigits(benchmark::State& state) {
  const TBunsuu f = RandomFraction(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(FractionDigits(f, static_cast<std::int32_t>(state.range(1))));
}
BENCHMARK(OursFractionDigits)->Name("Ours/FractionDigits")->Args({4000, 2000});

void GmpFractionDigits(benchmark::State& state) {
  const TBunsuu f = RandomFraction(static_cast<int>(state.range(0)));
  const mpz_class num = longtest::Magnitude(f.Num), den = longtest::Magnitude(f.Den);
  for (auto _ : state)
    benchmark::DoNotOptimize(gmpseries::DigitText(num, den, state.range(1)));
}
BENCHMARK(GmpFractionDigits)->Name("Gmp/FractionDigits")->Args({4000, 2000});

}  // namespace

RATIO_BENCHMARK_MAIN()
