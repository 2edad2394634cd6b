#include <gtest/gtest.h>

#include <string>

#include "dump.h"
#include "raise.h"

namespace quorvex {
namespace {

struct StandardFailure {
  FailureNumber kind;
  int number;
  const char* description;
};

// The numbers and texts users see in error reports; they must not drift.
const StandardFailure kStandardFailures[] = {
    {kOverflow, 6, "溢出"},
    {kOutOfRange, 9, "下标越界"},
    {kFileNotFound, 53, "文件未找到"},
    {kDeviceIoError, 57, "设备 I/O 错误"},
    {kPermissionDenied, 70, "没有权限"},
    {kPathFileAccessError, 75, "路径/文件访问错误"},
};

TEST(FailureTest, RaiseGivesEachFailureItsNumberAndDescription) {
  for (const auto& expected : kStandardFailures) {
    SCOPED_TRACE(expected.number);
    try {
      Raise(expected.kind);
      FAIL() << "Raise returned";
    } catch (const std::exception& caught) {
      const auto* failure = dynamic_cast<const Failure*>(&caught);
      ASSERT_NE(failure, nullptr);
      EXPECT_EQ(failure->Number(), expected.number);
      EXPECT_EQ(failure->Description(), expected.description);
      const std::string what = failure->what();
      EXPECT_NE(what.find(std::to_string(expected.number)), std::string::npos) << what;
      EXPECT_NE(what.find(expected.description), std::string::npos) << what;
    }
  }
}

}  // namespace
}  // namespace quorvex
