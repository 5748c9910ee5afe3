// π and e: the first passes digit text by digit text, the number of digits printed for many
// place counts, every printed digit against GMP doing the same work, the settle rule on
// GMP's partial sums, and the capacity.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Capacity.h"
#include "DenominatorBound.h"
#include "DialogueSupport.h"
#include "DigitSink.h"
#include "FactorialSum.h"
#include "FractionDigits.h"
#include "GmpSeries.h"
#include "LongGmp.h"
#include "LongTestSupport.h"
#include "Machin.h"
#include "Series.h"
#include "SettledDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"
#include "TrueDigits.h"

namespace {

using dialoguetest::RecordingSink;

struct Result {
  std::string header, digits, digitString;
  bool overflow;
};

using Computation = void (*)(std::uint16_t, DigitSink&, std::string&);

Result Compute(Computation computation, int places, bool flagBefore = false) {
  OverflowFlag = flagBefore;
  RecordingSink sink;
  std::string digitString = "left over";
  computation(static_cast<std::uint16_t>(places), sink, digitString);
  return {sink.header, sink.digits, digitString, OverflowFlag};
}

std::string TrueDigits(bool pi, unsigned count) {
  return pi ? truedigits::Pi(count) : truedigits::E(count);
}

// The digit text and the printed digits after each of the first passes of π and iterations
// of e: a computation asked for N places stops after the pass that prints digit N.
TEST(Series, FirstPassesOfPiAndE) {
  const struct {
    Computation computation;
    int places;
    const char* header;
    const char* digitString;
    const char* printed;
  } passes[] = {
      {ComputePi, 0, "[pi]", "140597", ""},
      {ComputePi, 1, "[pi]", "141621", "1"},
      {ComputePi, 2, "[pi]", "1415917", "14"},
      {ComputePi, 3, "[pi]", "14159268", "1415"},
      {ComputePi, 4, "[pi]", "14159268", "1415"},
      {ComputePi, 5, "[pi]", "1415926526", "141592"},
      {ComputePi, 6, "[pi]", "1415926526", "141592"},
      {ComputePi, 7, "[pi]", "141592653623", "1415926"},
      {ComputePi, 8, "[pi]", "1415926535886", "14159265"},
      {ComputePi, 9, "[pi]", "14159265358983", "1415926535"},
      {ComputePi, 10, "[pi]", "14159265358983", "1415926535"},
      {ComputeE, 0, "[e]", "500000", ""},
      {ComputeE, 1, "[e]", "718055", "7"},
      {ComputeE, 2, "[e]", "7182539", "71"},
      {ComputeE, 3, "[e]", "71827876", "718"},
      {ComputeE, 4, "[e]", "718281801", "71828"},
      {ComputeE, 5, "[e]", "718281801", "71828"},
  };
  for (const auto& p : passes) {
    const Result r = Compute(p.computation, p.places);
    EXPECT_EQ(r.header, p.header);
    EXPECT_EQ(r.digitString, p.digitString) << p.header << p.places;
    EXPECT_EQ(r.digits, p.printed) << p.header << p.places;
    EXPECT_FALSE(r.overflow);
  }
}

TEST(Series, PrintedDigitCounts) {
  const struct {
    Computation computation;
    int places, printed;
  } cases[] = {
      {ComputePi, 20, 20},     {ComputePi, 100, 100}, {ComputePi, 760, 764}, {ComputePi, 761, 764},
      {ComputePi, 1000, 1001}, {ComputeE, 10, 11},    {ComputeE, 100, 100},
  };
  for (const auto& c : cases) {
    const Result r = Compute(c.computation, c.places);
    EXPECT_EQ(static_cast<int>(r.digits.size()), c.printed) << c.places;
    EXPECT_EQ(r.digitString.substr(0, r.digits.size()), r.digits);
  }
}

// Every place count up to a few hundred prints what GMP doing the same work prints, and
// leaves the same digit text; the digits are the true digits of π and e.
TEST(Series, AgreeWithGmpDoingTheSameWork) {
  const std::string pi = TrueDigits(true, 1200);
  const std::string e = TrueDigits(false, 1200);
  for (int places = 0; places <= 400; places += places < 40 ? 1 : 37) {
    const Result rp = Compute(ComputePi, places);
    const gmpseries::Printed gp = gmpseries::Pi(places);
    ASSERT_EQ(rp.digits, gp.digits) << "pi " << places;
    ASSERT_EQ(rp.digitString, gp.digitString) << "pi " << places;
    ASSERT_EQ(rp.digits, pi.substr(0, rp.digits.size()));
    ASSERT_GE(rp.digits.size(), static_cast<std::size_t>(places));
    ASSERT_LE(rp.digits.size(), static_cast<std::size_t>(places) + 4);

    const Result re = Compute(ComputeE, places);
    const gmpseries::Printed ge = gmpseries::E(places);
    ASSERT_EQ(re.digits, ge.digits) << "e " << places;
    ASSERT_EQ(re.digitString, ge.digitString) << "e " << places;
    ASSERT_EQ(re.digits, e.substr(0, re.digits.size()));
    ASSERT_LE(re.digits.size(), static_cast<std::size_t>(places) + 3);
  }
}

// The settle rule on GMP's partial sums of π and e: each scan prints, from the next digit on,
// exactly the digits that agree with the text before, together with the digit after them.
TEST(Series, SettleRuleOnGmpDigits) {
  for (const auto passes : {gmpseries::PiPasses, gmpseries::EPasses}) {
    SettledDigits settled;
    std::string previous = "1", printed;
    passes([&](const mpz_class& num, const mpz_class& den) {
      const std::string text = gmpseries::DigitText(num, den, settled.NextPosition() + 5);
      RecordingSink sink;
      settled.Scan(text, sink);
      const auto settles = [&](std::size_t i) {
        return i + 1 < std::min(text.size(), previous.size()) && text[i] == previous[i] &&
               text[i + 1] == previous[i + 1];
      };
      for (const char digit : sink.digits) {
        EXPECT_TRUE(settles(printed.size()) && digit == text[printed.size()]) << printed;
        printed += digit;
      }
      EXPECT_FALSE(settles(printed.size())) << printed;
      previous = text;
      return printed.size() < 300 && !::testing::Test::HasFailure();
    });
    EXPECT_GE(printed.size(), 300u);
  }
}

// Every partial sum of Machin's formula against GMP's rationals, up to the pass whose common
// denominator outgrows the capacity.
TEST(Series, EveryPartialSumOfPi) {
  MachinSum machin(0);
  mpq_class term5(16, 5), term239(-4, 239);
  mpq_class sum = term5 + term239 - 3;
  int pass = 0;
  for (int k = 3; !OverflowFlag; k += 2) {
    ++pass;
    machin.NextPass();
    const TBunsuu& ours = machin.CatchUpExactSum();
    term5 *= mpq_class(-1, 25);
    term239 *= mpq_class(-1, 57121);
    sum += (term5 + term239) / k;
    if (!OverflowFlag) {
      ASSERT_TRUE(longtest::SameRecord(ours.Num, longtest::FromValue(sum.get_num())))
          << "pass " << pass;
      ASSERT_TRUE(longtest::SameRecord(ours.Den, longtest::FromValue(sum.get_den())))
          << "pass " << pass;
    } else {
      EXPECT_TRUE(longtest::SameRecord(ours.Num, MaxLongNum));
      EXPECT_TRUE(longtest::SameRecord(ours.Den, MaxLongNum));
    }
  }
  EXPECT_EQ(pass, 1428);
}

// The bound on the common denominator, by which the value decides whether the exact sum's
// expansion is plain, after every pass of π and every term of e that the program takes,
// against the exact product of what the denominators grow by: 1195 5^2n 239^2n times the least
// common multiple of the odd numbers up to 2n + 1 after π's pass n, and k! after e's term 1/k!.
// It is never below the product and at most one bit above it.
TEST(Series, DenominatorBoundsHoldTheExactProducts) {
  const auto holds = [](const TextDecider& decider, const mpz_class& product) {
    const DenominatorBound& bound = decider.Bound();
    const mpz_class value = mpz_class(static_cast<unsigned long>(bound.Mantissa()))
                            << static_cast<mp_bitcnt_t>(bound.Exponent());
    return value >= product &&
           mpz_sizeinbase(value.get_mpz_t(), 2) <= mpz_sizeinbase(product.get_mpz_t(), 2) + 1;
  };
  MachinSum machin(0);
  mpz_class oddLcm = 1, powers = 1195;
  for (int pass = 1; pass <= 1428; ++pass) {
    machin.NextPass();
    mpz_lcm_ui(oddLcm.get_mpz_t(), oddLcm.get_mpz_t(), static_cast<unsigned long>(2 * pass + 1));
    powers *= 25 * 57121;
    ASSERT_TRUE(holds(machin.Decider(), powers * oddLcm)) << "pass " << pass;
  }
  FactorialSum e(0);
  mpz_class factorial = 1;
  for (unsigned long k = 2; k <= 3258; ++k) {
    e.NextTerm();
    factorial *= k;
    ASSERT_TRUE(holds(e.Decider(), factorial)) << "1/" << k << "!";
  }
}

// Every text that the program reads from a sum within the capacity, at the places its settle
// scan asks for, comes from the series' value: it decides every pass of π and every term of e
// but the first, 1/2, which lies on a digit boundary that no tail within bounds can see past.
// Each of π's texts, and e's every fiftieth, is the exact expansion's; past the capacity the
// exact sum takes over.
TEST(Series, ValueDecidesEveryTextWithinTheCapacity) {
  const auto run = [](auto& series, int firstFromValue, int lastWithin, int checkEvery) {
    OverflowFlag = false;
    SettledDigits settled;
    RecordingSink sink;
    for (int pass = 1; pass <= lastWithin; ++pass) {
      series.Next();
      const std::int32_t count = settled.NextPosition() + Lookahead;
      const std::string text = series.sum.Digits(count);
      ASSERT_EQ(series.sum.Decider().LastFromValue(), pass >= firstFromValue) << "pass " << pass;
      if (pass % checkEvery == 0) {
        ASSERT_EQ(text, FractionDigits(series.sum.CatchUpExactSum(), count)) << "pass " << pass;
      }
      settled.Scan(text, sink);
    }
    series.Next();
    series.sum.Digits(settled.NextPosition() + Lookahead);
    EXPECT_FALSE(series.sum.Decider().LastFromValue());
    EXPECT_TRUE(OverflowFlag);
  };
  struct Pi {
    MachinSum sum{MachinPlacesWithinCapacity + Lookahead};
    void Next() { sum.NextPass(); }
  } pi;
  run(pi, 1, 1427, 1);
  struct E {
    FactorialSum sum{FactorialPlacesWithinCapacity + Lookahead};
    void Next() { sum.NextTerm(); }
  } e;
  run(e, 2, 3256, 50);
}

TEST(Series, FlagSetOnEntryGivesTheHeaderOnly) {
  for (Computation c : {ComputePi, ComputeE}) {
    const Result r = Compute(c, 100, true);
    EXPECT_EQ(r.digits, "");
    EXPECT_TRUE(r.overflow);
  }
}

// The capacity's facts that the program derives from MaxDigits, against the numbers that the
// sums give above: the places that π, e and √n complete, and the pass and the term whose sums
// the capacity no longer holds.
TEST(SeriesCapacity, DerivedFacts) {
  const struct {
    const char* what;
    std::int32_t derived, expected;
  } facts[] = {
      {"places of pi", MachinPlacesWithinCapacity, 1996},
      {"places of e", FactorialPlacesWithinCapacity, 8004},
      {"places of every square root", SqrtPlacesWithinCapacity, 10029},
      {"pass of pi", MachinSaturatingPass, 1428},
      {"term of e", FactorialSaturatingTerm, 3258},
  };
  for (const auto& f : facts)
    EXPECT_EQ(f.derived, f.expected) << f.what;
}

// π completes 1996 places and e 8004; one place more prints the same digits and then ends on
// the overflow.
TEST(SeriesCapacity, PiAndEAtTheCapacity) {
  const struct {
    Computation computation;
    bool pi;
    int lastPlace;
  } cases[] = {{ComputePi, true, 1996}, {ComputeE, false, 8004}};
  for (const auto& c : cases) {
    const std::string truth = TrueDigits(c.pi, c.lastPlace + 10);
    const Result full = Compute(c.computation, c.lastPlace);
    EXPECT_FALSE(full.overflow) << c.lastPlace;
    EXPECT_GE(full.digits.size(), static_cast<std::size_t>(c.lastPlace));
    EXPECT_EQ(full.digits, truth.substr(0, full.digits.size()));
    const Result beyond = Compute(c.computation, c.lastPlace + 1);
    EXPECT_TRUE(beyond.overflow) << c.lastPlace;
    EXPECT_EQ(beyond.digits, truth.substr(0, c.lastPlace));
    EXPECT_EQ(beyond.digitString, "");
  }
}

}  // namespace
