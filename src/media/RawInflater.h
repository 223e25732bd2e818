// Inflating raw deflate data (RFC 1951): one small interface over the two engines, Intel's ISA-L where the build
// found it and zlib always.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

// Damaged deflate data; what() is the engine's detail ("invalid block type", ...).
class EInflateDamage : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TRawInflater {
public:
  virtual ~TRawInflater() = default;
  // Starts afresh: no input, nothing inflated.
  virtual void Reset() = 0;
  // The next compressed bytes, read in place until InputLeft() is 0.
  virtual void SetInput(const uint8_t *data, std::size_t size) = 0;
  // Input bytes not used yet; once Ended(), the bytes that follow the deflate data.
  virtual std::size_t InputLeft() const = 0;
  // Inflates into output and returns the bytes produced; stops when output is full, the input is used up or
  // the deflate data have ended. Throws EInflateDamage for damaged data.
  virtual std::size_t Inflate(uint8_t *output, std::size_t size) = 0;
  // The final block has been inflated and all of it delivered.
  virtual bool Ended() const = 0;
};

enum class TInflateEngine { Zlib, Isal };

// The engines this build has, the fastest first.
const std::vector<TInflateEngine> &InflateEngines();
// An inflater of the fastest engine, or of the one named.
std::unique_ptr<TRawInflater> NewRawInflater();
std::unique_ptr<TRawInflater> NewRawInflater(TInflateEngine engine);
