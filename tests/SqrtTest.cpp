// The square root against GMP's integer square root, and where it reaches the capacity.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "Capacity.h"
#include "DialogueSupport.h"
#include "LongGmp.h"
#include "Sqrt.h"
#include "TavoLong.h"
#include "TrueDigits.h"

namespace {

using dialoguetest::RecordingSink;

std::string TrueDigits(unsigned n, int places) {
  return truedigits::Sqrt(n, static_cast<unsigned long>(places));
}

struct Result {
  std::string written;
  std::string digitString;
  bool overflow;
};

// Each run starts from a clear flag, as each question of a fresh program would.
Result RunSqrt(unsigned n, int places) {
  OverflowFlag = false;
  RecordingSink sink;
  std::string digitString = "left over";
  ComputeSqrt(static_cast<std::uint16_t>(n), static_cast<std::uint16_t>(places), sink, digitString);
  return {sink.header + sink.digits, digitString, OverflowFlag};
}

std::string Header(unsigned n) {
  return "[sqrt " + std::to_string(n) + " = " + std::to_string(truedigits::IntegerRoot(n)) + "]";
}

TEST(ComputeSqrt, KnownCases) {
  struct Case {
    unsigned n;
    int places;
    const char* header;
    const char* digits;
  };
  const Case cases[] = {
      {2, 10, "[sqrt 2 = 1]", "4142135623"}, {4, 5, "[sqrt 4 = 2]", "00000"},
      {3, 4, "[sqrt 3 = 1]", "7320"},        {65535, 2, "[sqrt 65535 = 255]", "99"},
      {10, 3, "[sqrt 10 = 3]", "162"},       {2, 0, "[sqrt 2 = 1]", ""},
  };
  for (const Case& c : cases) {
    const Result r = RunSqrt(c.n, c.places);
    EXPECT_EQ(r.written, std::string(c.header) + c.digits) << c.n;
    EXPECT_EQ(r.digitString, c.digits) << c.n;
    EXPECT_FALSE(r.overflow);
  }
}

// Every n of a sample, and the squares, whose remainders stay zero, to a few hundred and to
// a thousand or more places.
TEST(ComputeSqrt, DigitsAgreeWithGmp) {
  std::mt19937 rng(21);
  std::vector<unsigned> ns = {2,   3,    4,    5,     8,     9,     15,    16,
                              17,  63,   64,   65,    99,    100,   255,   256,
                              257, 4095, 4096, 65024, 65025, 65026, 65534, 65535};
  for (int i = 0; i < 190; ++i)
    ns.push_back(2 + rng() % 65534);
  for (std::size_t i = 0; i < ns.size(); ++i) {
    const unsigned n = ns[i];
    const int places = static_cast<int>(rng() % (i % 4 == 0 ? 1500 : 400));
    const Result r = RunSqrt(n, places);
    const std::string digits = TrueDigits(n, places);
    ASSERT_EQ(r.written, Header(n) + digits) << n << " to " << places;
    ASSERT_EQ(r.digitString, digits);
    ASSERT_FALSE(r.overflow);
  }
}

// The places that records of the capacity hold for √n: after k steps root = floor(√n 10^k)
// and rem = n 100^k - root^2, and step k + 1 saturates when rem * 100 or twice root * 10
// reaches the capacity. Up to 10,000 steps no value comes near it: root < 256 * 10^k and
// rem <= 2 root stay far below 2^(MaxBits - 7).
int PlacesWithinCapacity(unsigned n) {
  for (unsigned long k = 10000;; ++k) {
    const mpz_class scaled = n * truedigits::PowerOfTen(2 * k);
    mpz_class root;
    mpz_sqrt(root.get_mpz_t(), scaled.get_mpz_t());
    const mpz_class rem = scaled - root * root;
    if (rem * 100 >= longtest::Capacity() || root * 20 >= longtest::Capacity())
      return static_cast<int>(k);
  }
}

// Every n completes the places that the capacity holds for all of them, the largest root exactly
// those; beyond, the step that first outgrows the capacity ends the computation with the digits
// found so far. Which of its products outgrows it first depends on n: for 4 the root times ten,
// for 9 only twice the root.
TEST(ComputeSqrt, CapacityDependsOnN) {
  struct Case {
    unsigned n;
    int lastDigit;
  };
  for (const Case c : {Case{65535, SqrtPlacesWithinCapacity}, Case{2, 10031}, Case{4, 10032},
                       Case{9, 10031}, Case{7, 0}, Case{26, 0}}) {
    const Result r = RunSqrt(c.n, 10040);
    EXPECT_TRUE(r.overflow) << c.n;
    EXPECT_GE(static_cast<int>(r.digitString.size()), SqrtPlacesWithinCapacity) << c.n;
    EXPECT_EQ(r.digitString, TrueDigits(c.n, PlacesWithinCapacity(c.n))) << c.n;
    if (c.lastDigit > 0) {
      EXPECT_EQ(static_cast<int>(r.digitString.size()), c.lastDigit) << c.n;
    }
    EXPECT_EQ(r.written, Header(c.n) + r.digitString);
    const Result full = RunSqrt(c.n, static_cast<int>(r.digitString.size()));
    EXPECT_FALSE(full.overflow) << c.n;
    EXPECT_EQ(full.digitString, r.digitString);
  }
}

TEST(ComputeSqrt, FlagSetOnEntryGivesTheHeaderOnly) {
  OverflowFlag = true;
  RecordingSink sink;
  std::string digitString = "old";
  ComputeSqrt(2, 50, sink, digitString);
  EXPECT_EQ(sink.header + sink.digits, Header(2));
  EXPECT_EQ(digitString, "");
  EXPECT_TRUE(OverflowFlag);
}

}  // namespace
