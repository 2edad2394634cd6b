#include <string>
#include <utility>

#include "raise.h"

namespace quorvex {

namespace {

// The descriptions users see; the interface is Simplified Chinese.
const char* StandardDescription(FailureNumber number) {
  switch (number) {
    case kOverflow: return "溢出";
    case kOutOfRange: return "下标越界";
    case kFileNotFound: return "文件未找到";
    case kDeviceIoError: return "设备 I/O 错误";
    case kPermissionDenied: return "没有权限";
    case kPathFileAccessError: return "路径/文件访问错误";
  }
  return "未知错误";
}

}  // namespace

Failure::Failure(int number, std::string description)
    : number_(number),
      description_(std::move(description)),
      what_(std::to_string(number) + ": " + description_) {}

const char* Failure::what() const noexcept { return what_.c_str(); }

void Raise(FailureNumber number) { throw Failure(number, StandardDescription(number)); }

}  // namespace quorvex
