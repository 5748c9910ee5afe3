// The main of every GoogleTest program here: each test starts with OverflowFlag clear, as a
// fresh program does, whatever the test before it left; and a run that runs no test fails.
#include <gtest/gtest.h>

#include "TavoLong.h"

namespace {

class ClearOverflowFlag : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { OverflowFlag = false; }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new ClearOverflowFlag);
  const int result = RUN_ALL_TESTS();
  // A run that selects no test, such as a filter naming a test that is gone, fails.
  return result == 0 && ::testing::UnitTest::GetInstance()->test_to_run_count() == 0 ? 1 : result;
}
