// The main of every GoogleTest program here: each test starts with OverflowFlag clear, as a
// fresh program does, whatever the test before it left.
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
  return RUN_ALL_TESTS();
}
