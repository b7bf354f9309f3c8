#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

namespace sqp::sessions {

// Where a session's random decisions come from: a seeded generator, or the
// bytes of a fuzzer's input.
class Choices {
 public:
  virtual ~Choices() = default;
  // A number from 0 to `count` - 1 (`count` at least 1).
  virtual std::uint32_t Below(std::uint32_t count) = 0;
  // True once a byte source has nothing left; decisions are then all 0.
  virtual bool Exhausted() const { return false; }

  bool Percent(std::uint32_t percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<std::uint32_t>(N))];
  }
};

class SeededChoices : public Choices {
 public:
  explicit SeededChoices(std::uint64_t seed) : engine_(seed) {}
  std::uint32_t Below(std::uint32_t count) override {
    return std::uniform_int_distribution<std::uint32_t>(0, count - 1)(engine_);
  }

 private:
  std::mt19937_64 engine_;
};

class ByteChoices : public Choices {
 public:
  ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t Below(std::uint32_t count) override {
    std::uint32_t value = 0;
    for (std::uint64_t range = 1; range < count && pos_ < size_; range <<= 8) {
      value = (value << 8) | data_[pos_++];
    }
    return value % count;
  }
  bool Exhausted() const override { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace sqp::sessions
