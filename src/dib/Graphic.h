// The abstract picture every format implements: load, save, size, emptiness and its pixels; with the graphic errors.
#pragma once

#include "platform/Exceptions.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TStream;

// A picture file whose content is not of its format.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};
// An operation the picture cannot carry out with the values it was given (depth, pixel format).
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};
// A drawing surface or image that cannot be made.
class EOutOfResources : public Exception {
public:
  using Exception::Exception;
};

class TGraphic {
public:
  virtual ~TGraphic() = default;

  virtual void LoadFromStream(TStream &stream) = 0;
  virtual void SaveToStream(TStream &stream) const = 0;
  void LoadFromFile(const std::string &fileName);
  void SaveToFile(const std::string &fileName) const;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;

  // Writes the picture at its own size, rows top to bottom, each pixel 0xFFRRGGBB;
  // destStride is the distance between two destination rows in pixels.
  virtual void ReadPixels32(uint32_t *dest, std::ptrdiff_t destStride) const = 0;
  virtual void Assign(const TGraphic &source) = 0;
};
