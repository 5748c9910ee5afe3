// The value of a series, computed once to the width that a question's expansions need.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "TavoLong.h"

// A value and how far the true one may lie from it: within error units of its last word.
struct SeriesValue {
  DecimalFixed value;
  std::uint64_t error;
};

// Step n of a series 1 + r_1 (1 + r_2 (1 + ...)): r_n = a / b, and r_n <= 1 / atLeast for a
// whole atLeast >= 3.
struct SeriesStep {
  std::uint64_t a, b, atLeast;
};

// p / q times the series whose step n (n = 1, 2, ...) step(n) gives, to words words after the
// point, for a value p / q h_0 below 4 with p / q r_1 <= 2/5 and q b_1 <= 2^62: so each group's
// a is at most 2/5 of its b, as MulAddDivide needs (atLeast >= 3 makes it so for the groups
// after the first), and each c + a fits a word (below). By Horner's rule (Knuth, TAOCP vol. 2,
// section 4.6.4) from the last term that matters back to the first: h_n = 1,
// h_(i-1) = 1 + r_i h_i, the value p / q h_0. The steps go in groups whose divisors' product fits
// a word, one sweep over the words each, and each sweep works only to the words that survive the
// steps still to come:
//   - an error of one unit in h_(i-1) costs the value p / q r_1 ... r_(i-1) of a unit, below
//     4 10^(P + 1) for P = PlaceOfHigh() of the bound S on r_1 ... r_(i-1), so a sweep may cut
//     the words below 10^-(19 words + P + 2): its floor costs the value less than a unit;
//   - the terms after step n, where S < 10^-(19 words + 1), add p / q r_1 ... r_n (h_n - 1) with
//     h_n - 1 at most 1/2, which p / q < 4 keeps below another unit.
//
// A group of steps n to n + m - 1 is h_(n-1) = (c + a h_(n+m-1)) / b, one step of MulAddDivide
// to the words that survive it; the first group, which always holds step 1, also takes p / q.
// Its b stays within 2^63, the first group's within 2^62. Each h lies in [1, 3/2], so
// c + a <= c + a h = b h_(n-1) is below 2b, or 4b in the first group, whose value is below 4.
template <class Step>
SeriesValue HornerValue(int words, std::uint64_t p, std::uint64_t q, Step step) {
  struct Group {
    DecimalStep step;
    int words;
  };
  const int digits = DecimalWordDigits * words;
  DecimalBounds scale{1, 1};  // above r_1 ... r_n for the steps taken
  const auto wordsThatSurvive = [&] {
    const int dropped = (-scale.PlaceOfHigh() - 2) / DecimalWordDigits;
    assert(dropped < words);  // the loop below stops before
    return dropped <= 0 ? words : words - dropped;
  };
  std::vector<Group> groups;
  Group group{{p, 0, q}, words};
  std::uint64_t limit = std::uint64_t{1} << 62;  // on the group's b
  for (std::int32_t n = 1; scale.PlaceOfHigh() > -(digits + 2); ++n) {
    const SeriesStep s = step(n);
    if (group.step.b > limit / s.b) {
      groups.push_back(group);
      group = {{1, 0, 1}, wordsThatSurvive()};
      limit = std::uint64_t{1} << 63;
    }
    // (c + a (1 + r h)) / b = (b_n (c + a) + a a_n h) / (b b_n).
    assert(group.step.b <= limit / s.b && group.step.c <= UINT64_MAX - group.step.a &&
           group.step.c + group.step.a <= UINT64_MAX / s.b);
    group.step.c = s.b * (group.step.c + group.step.a);
    group.step.a *= s.a;
    group.step.b *= s.b;
    scale.Divide(s.atLeast);
  }
  groups.push_back(group);
  // From the innermost group out, two at a time, to the words of the outer of the two.
  SeriesValue result{DecimalFixed(words, 1, 1), groups.size() + 1};
  for (std::size_t i = groups.size(); i > 0;) {
    const std::size_t take = i >= 2 ? 2 : 1;
    const DecimalStep steps[] = {groups[i - 1].step, groups[i - take].step};
    result.value.MulAddDivide(std::span(steps, take), groups[i - take].words);
    i -= take;
  }
  assert(result.value.WordAt(0) < 4);  // at most the true value, which is below 4
  return result;
}
