// Helpers shared by the engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "dump.h"

namespace quorvex::test {

// A temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    do {
      path_ = std::filesystem::temp_directory_path() / ("quorvex-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const noexcept { return path_; }

  std::filesystem::path Write(const std::filesystem::path& name, const std::vector<std::uint8_t>& bytes) const {
    return Write<std::vector<std::uint8_t>>(name, bytes);
  }
  // Any container of bytes: a std::vector of std::uint8_t, a QByteArray.
  template <typename Bytes>
  std::filesystem::path Write(const std::filesystem::path& name, const Bytes& bytes) const {
    auto file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(std::data(bytes)), static_cast<std::streamsize>(std::size(bytes)));
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
  }

 private:
  std::filesystem::path path_;
};

// A file's bytes, read without the engine.
inline std::vector<std::uint8_t> ContentsOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// n bytes through all 256 values in a scrambled order that shifts from one block of
// 256 to the next, so a byte shown at the wrong position is noticed. In any container
// of bytes: the window tests take a QByteArray.
template <typename Bytes = std::vector<std::uint8_t>>
Bytes CountingBytes(std::size_t n) {
  Bytes bytes(static_cast<typename Bytes::size_type>(n), typename Bytes::value_type{});
  for (std::size_t i = 0; i < n; ++i) {
    bytes[static_cast<typename Bytes::size_type>(i)] = static_cast<typename Bytes::value_type>(i * 7 + i / 256);
  }
  return bytes;
}

template <typename Action>
::testing::AssertionResult FailsWith(int number, Action&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    if (failure.Number() == number) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "failed with " << failure.what() << ", expected " << number;
  } catch (const std::exception& other) {
    return ::testing::AssertionFailure() << "threw a non-Failure: " << other.what();
  }
  return ::testing::AssertionFailure() << "did not fail, expected failure " << number;
}

}  // namespace quorvex::test
