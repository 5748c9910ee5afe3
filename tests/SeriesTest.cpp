// π and e: the first passes digit text by digit text, the number of digits printed for many
// place counts, every printed digit against GMP doing the same work, the settle rule on
// GMP's partial sums, and the capacity.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>

#include "ArithCheck.h"
#include "Capacity.h"
#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "DenominatorBound.h"
#include "DialogueSupport.h"
#include "DigitSink.h"
#include "ExpansionCheck.h"
#include "ExpansionDecider.h"
#include "Factorial.h"
#include "FractionDigits.h"
#include "GmpSeries.h"
#include "LongGmp.h"
#include "LongTestSupport.h"
#include "Machin.h"
#include "PartialSums.h"
#include "Series.h"
#include "SeriesValue.h"
#include "SettledDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
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

// The exact sums against GMP's, pass by pass up to the last within the capacity; at a few
// passes, the last among them, also reached afresh: π's evaluated as a whole up to the pass
// before, e's in groups of passes. Gives the pass-by-pass sum.
template <class Exact>
Exact ExactSumsAgreeWithGmp(void (*passes)(const gmpseries::SumPass&), int last) {
  Exact byPass;
  int pass = 0;
  passes([&](const mpz_class& num, const mpz_class& den) {
    ++pass;
    const bool afresh = pass <= 4 || pass % 317 == 0 || pass == last;
    for (const TBunsuu& ours : {byPass.At(pass), afresh ? Exact().At(pass) : byPass.At(pass)}) {
      EXPECT_TRUE(longtest::SameRecord(ours.Num, longtest::FromValue(num)) &&
                  longtest::SameRecord(ours.Den, longtest::FromValue(den)))
          << pass;
    }
    return pass < last && !::testing::Test::HasFailure();
  });
  return byPass;
}

// π's sum saturates at the pass whose denominator outgrows the capacity, pass by pass or not.
// e's holds its Den up to 3258!, whose expansion the capacity no longer holds, and saturates
// after.
TEST(Series, ExactSumsAgreeWithGmp) {
  OverflowFlag = false;
  MachinExactSum pi =
      ExactSumsAgreeWithGmp<MachinExactSum>(gmpseries::PiPasses, MachinSaturatingPass - 1);
  FactorialExactSum e =
      ExactSumsAgreeWithGmp<FactorialExactSum>(gmpseries::EPasses, FactorialSaturatingPass);
  EXPECT_FALSE(OverflowFlag);
  for (const TBunsuu& saturated :
       {pi.At(MachinSaturatingPass), MachinExactSum().At(MachinSaturatingPass),
        e.At(FactorialSaturatingPass + 1)})
    EXPECT_TRUE(longtest::SameRecord(saturated.Num, MaxLongNum) &&
                longtest::SameRecord(saturated.Den, MaxLongNum));
  EXPECT_TRUE(OverflowFlag);
}

// The bound on a common denominator against the exact product of the factors it grows by: never
// below it, and at most one bit above it over some thousands of factors: π's and e's; then
// small and large factors, powers of two, factors near 2^32 and long runs of one factor.
TEST(Series, DenominatorBoundsHoldTheExactProducts) {
  const struct {
    const char* what;
    std::uint32_t first;
    int count;
    std::uint64_t (*factor)(std::int32_t pass);
  } sequences[] = {
      {"pi", MachinSeries::FirstDen, MachinSaturatingPass, MachinSeries::DenominatorFactor},
      {"e", FactorialSeries::FirstDen, FactorialSaturatingPass, FactorialSeries::DenominatorFactor},
      {"small", 3, 3000, [](int i) { return std::uint64_t(2 + i % 3); }},
      {"large", 0xFFFFFFFF, 2000, [](int i) { return std::uint64_t(0xFFFFFFFF - 2 * (i % 7)); }},
      {"powers of two", 1, 2000, [](int i) { return std::uint64_t{1} << (1 + i % 31); }},
      {"near 2^32", 0x80000001, 2000,
       [](int i) { return std::uint64_t{0x80000001} + i % 2 * 0x7FFFFFFAu; }},
      {"a long run", 7, 6000, [](int) { return std::uint64_t{0xFFFF0001}; }},
  };
  for (const auto& s : sequences) {
    DenominatorBound bound(s.first);
    mpz_class product = s.first;
    for (int i = 1; i <= s.count; ++i) {
      bound.Grow(s.factor(i));
      product *= longtest::FromWord(s.factor(i));
      const mpz_class value = longtest::FromWord(bound.mantissa)
                              << static_cast<mp_bitcnt_t>(bound.exponent);
      ASSERT_GE(value, product) << s.what << " " << i;
      ASSERT_LE(mpz_sizeinbase(value.get_mpz_t(), 2), mpz_sizeinbase(product.get_mpz_t(), 2) + 1)
          << s.what << " " << i;
    }
  }
}

// Every expansion that the program reads from a sum within the capacity, at the places its
// settle scan asks for, against the expansion of the exact sum: each of π's, e's first forty and
// every fiftieth. There, too, the sum's tail bounds hold its tail, the value (GMP's, far finer
// than the expansion) less the sum: at π's first passes the 239-series' share of the tail's lead
// still counts. Past the capacity the exact sum answers, and saturates.
template <class Series>
void ExpansionsAreTheExactSums(int lastWithin, int places, int checkEvery,
                               mpz_class (*truth)(const mpz_class&), unsigned long digits) {
  OverflowFlag = false;
  PartialSums<Series> sums(places + Lookahead);
  Series series;
  typename Series::ExactSum exact;
  SettledDigits settled;
  RecordingSink sink;
  const mpz_class one = truedigits::PowerOfTen(digits), value = truth(one);
  for (int pass = 1; pass <= lastWithin; ++pass) {
    sums.NextPass();
    series.NextPass();
    const std::int32_t count = settled.NextPosition() + Lookahead;
    const std::string expansion = sums.Expansion(count);
    if (pass % checkEvery == 0 || pass <= 40) {
      const TBunsuu& sum = exact.At(pass);
      ASSERT_EQ(expansion, FractionDigits(sum, count)) << "pass " << pass;
      // The value is within 10^6 units of one, sixty-odd digits below the last tail's first.
      const mpz_class tail = value - longtest::Value(sum.Num) * one / longtest::Value(sum.Den);
      const TailBounds bounds = series.Tail(count);
      const DecimalBounds& m = bounds.magnitude;
      const mpq_class x0 = arithcheck::DecimalValue(m.low, m.exponent) * one,
                      x1 = arithcheck::DecimalValue(m.high, m.exponent) * one;
      const mpq_class low = bounds.negative ? mpq_class(-x1) : x0,
                      high = bounds.negative ? mpq_class(-x0) : x1;
      ASSERT_TRUE(low <= tail - 1000000 && tail + 1000000 <= high) << "pass " << pass;
    }
    settled.Scan(expansion, sink);
  }
  sums.NextPass();
  EXPECT_EQ(sums.Expansion(settled.NextPosition() + Lookahead), "");
  EXPECT_TRUE(OverflowFlag);
}

TEST(Series, EveryExpansionWithinTheCapacityIsTheExactSums) {
  ExpansionsAreTheExactSums<MachinSeries>(MachinSaturatingPass - 1, MachinPlacesWithinCapacity, 1,
                                          truedigits::PiMinusThree, 2100);
  ExpansionsAreTheExactSums<FactorialSeries>(
      FactorialSaturatingPass - 1, FactorialPlacesWithinCapacity, 50, truedigits::EMinusTwo, 10100);
}

// Machin's two series, π - 3 and e - 2, from one word to the capacity's width: each within its
// stated error of the truth, which GMP gives in fixed point with thirty guard digits.
TEST(Series, ValuesWithinTheirError) {
  const struct {
    const char* what;
    SeriesValue (*value)(int words);
    mpz_class (*truth)(const mpz_class& one);
  } series[] = {
      {"16 arctan(1/5)", [](int words) { return ArctanOfInverse(words, 16, 5); },
       [](const mpz_class& one) { return mpz_class(16 * truedigits::ArctanOfInverse(5, one)); }},
      {"4 arctan(1/239)", [](int words) { return ArctanOfInverse(words, 4, 239); },
       [](const mpz_class& one) { return mpz_class(4 * truedigits::ArctanOfInverse(239, one)); }},
      {"pi - 3", MachinSeries::Value, truedigits::PiMinusThree},
      {"e - 2", FactorialSeries::Value, truedigits::EMinusTwo},
  };
  const mpz_class guard = truedigits::PowerOfTen(30);
  for (const auto& s : series) {
    for (const int words : {1, 2, 3, 7, 40, 106, 529}) {
      const SeriesValue v = s.value(words);
      std::string digits;
      v.value.WriteDigits(19 * words, digits);
      const mpz_class unit = truedigits::PowerOfTen(19ul * static_cast<unsigned long>(words));
      mpz_class distance =
          s.truth(unit * guard) -
          (longtest::FromWord(v.value.WordAt(0)) * unit + mpz_class(digits, 10)) * guard;
      mpz_abs(distance.get_mpz_t(), distance.get_mpz_t());
      // GMP's truth lies within far less than a thousandth of a unit.
      EXPECT_LT(distance + guard / 1000, longtest::FromWord(v.error) * guard) << s.what << words;
    }
  }
}

// The offset of a value's first digits under a tail, against GMP: at a digit boundary, under
// tails that straddle it, that carry or borrow through the digits, and beyond the precision.
TEST(ExpansionOffset, AgainstGmp) {
  constexpr std::uint64_t Big = std::uint64_t{1} << 61, Ones = ~std::uint64_t{0};
  constexpr std::uint64_t Edge = PowerOfTen(19) - 1;  // the largest error
  constexpr std::uint32_t Half = std::uint32_t{1} << 31;
  const auto tail = [](std::uint64_t low, std::uint64_t high, int exponent, bool negative) {
    return TailBounds{{low, high, exponent}, negative};
  };
  const DecimalStep none{0, 0, 1};
  const auto report = [](const std::string& what) { ADD_FAILURE() << what; };
  for (const arithcheck::OffsetCase& c : std::initializer_list<arithcheck::OffsetCase>{
           // 1/2 less or plus a tail far below: the lower end lies on the boundary.
           {{3, 1, 2, {none}, 0, 3}, 0, 6, tail(1, 1, -60, false)},
           {{3, 1, 2, {none}, 0, 3}, 0, 6, tail(1, 1, -60, true)},
           // 0.7 less 0.2; 0.19999... plus 10^-16 carries up to 0.2; 0.2 less 10^-30 borrows.
           {{3, 7, 10, {none}, 0, 3}, 5, 3, tail(2, 2, -1, false)},
           {{3, 0, 1, {{0, Big / 5 - 1, Big}}, 1, 3}, 0, 20, tail(1, 1, -16, true)},
           {{3, 1, 5, {none}, 0, 3}, 0, 20, tail(1, 1, -30, false)},
           // The tail's unit above the cut, and the cut too near the last word.
           {{3, 1, 3, {none}, 0, 3}, 0, 3, tail(1, 1, -2, false)},
           {{3, 1, 3, {none}, 0, 3}, 0, 20, tail(0, 0, -60, false)},
           // Ends of the offset's interval exactly on a digit boundary, under an error just
           // under a unit of the last digit read: 1 - 1/(2^64 - 1), 2^-20 or 1 - 2^-31 and tails
           // of either sign, at the cut, or below it with parts rounded up, down or exact.
           {{2, 0, 1, {{0, Ones - 1, Ones}}, 1, 2}, Edge, 0, tail(1, 1, 0, true)},
           {{2, 1, 1 << 20, {none}, 0, 2},
            Edge,
            0,
            tail(95367431640619, 95367431640619, -20, false)},
           {{2, 1, 1 << 20, {none}, 0, 2},
            Edge,
            0,
            tail(95367431640631, 95367431640631, -20, false)},
           {{2, 1, 1 << 20, {none}, 0, 2},
            Edge,
            0,
            tail(95367431640630, 95367431640630, -20, false)},
           {{2, Half - 1, Half, {none}, 0, 2}, Edge, 0, tail(46566128729, 46566128729, -20, true)},
           {{2, Half - 1, Half, {none}, 0, 2}, Edge, 0, tail(46566128740, 46566128740, -20, true)},
           {{3, 0, 1, {{0, Ones - 1, Ones}}, 1, 3},
            Edge,
            19,
            tail(0, 542101086242752217, -37, true)},
           // 1/2 less 1/2, and less 10^-19 at the cut; 1 - 1/(2^64 - 1) plus the error to 1;
           // 2^-20 less 1 at the cut, clear of the boundary.
           {{2, 1, 2, {none}, 0, 2}, Edge, 0, tail(5, 5, -1, false)},
           {{3, 1, 2, {none}, 0, 3}, Edge, 19, tail(1, 1, -19, false)},
           {{2, 0, 1, {{0, Ones - 1, Ones}}, 1, 2}, 5421010862427522171, 0, tail(0, 0, -19, false)},
           {{2, 1, 1 << 20, {none}, 0, 2}, Edge, 0, tail(1, 1, 0, false)},
       }) {
    arithcheck::CheckOffset(c, report);
  }
  longtest::OperandSource source(45);
  std::mt19937_64& random = source.Engine();
  for (int i = 0; i < 3000; ++i) {
    arithcheck::OffsetCase c{};
    c.value = arithcheck::DecimalCaseFrom([&] { return random(); },
                                          [&](int n) { return source.Below(n); },
                                          i % 3 == 0 ? 10 : 0xFFFFFFFF);
    c.error = i % 7 == 0 ? random() % PowerOfTen(19) : random() % 3000;
    c.count = source.Below(19 * c.value.words + 3);
    // Tails from far below the cut to its last digit, narrow and wide.
    const std::uint64_t low = random() % DecimalBounds::MantissaLimit;
    c.tail = tail(low, low + (random() >> source.Below(64)) % (DecimalBounds::MantissaLimit - low),
                  -c.count - source.Below(40), i % 2 == 0);
    arithcheck::CheckOffset(c, report);
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
}

TEST(Series, FlagSetOnEntryGivesTheHeaderOnly) {
  for (Computation c : {ComputePi, ComputeE}) {
    const Result r = Compute(c, 100, true);
    EXPECT_EQ(r.digits, "");
    EXPECT_TRUE(r.overflow);
  }
}

// The capacity's facts that the program derives from MaxDigits, against the numbers that the
// sums give above: the places that π and √n complete, and the passes whose sums the capacity no
// longer holds. The places of e are the program's own; the digits hold them below.
TEST(SeriesCapacity, DerivedFacts) {
  const struct {
    const char* what;
    std::int32_t derived, expected;
  } facts[] = {
      {"places of pi", MachinPlacesWithinCapacity, 1996},
      {"places of every root", SqrtPlacesWithinCapacity, 10029},
      {"pass of pi", MachinSaturatingPass, 1428},
      {"pass of e, adding 1/3258!", FactorialSaturatingPass, 3257},
  };
  for (const auto& f : facts)
    EXPECT_EQ(f.derived, f.expected) << f.what;
}

// π and e complete the places that the capacity holds; one place more prints the same digits and
// then ends on the overflow.
TEST(SeriesCapacity, PiAndEAtTheCapacity) {
  const struct {
    Computation computation;
    bool pi;
    int lastPlace;
  } cases[] = {{ComputePi, true, MachinPlacesWithinCapacity},
               {ComputeE, false, FactorialPlacesWithinCapacity}};
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
