// Byte streams with 64-bit positions: the abstract TStream, files and growable memory blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;

  // Reads up to count bytes; returns how many were read (fewer only at the end).
  virtual int64_t Read(void *buffer, int64_t count) = 0;
  // Writes up to count bytes; returns how many were written.
  virtual int64_t Write(const void *buffer, int64_t count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t newSize);

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void *buffer, int64_t count);
  void WriteBuffer(const void *buffer, int64_t count);
  // Copies count bytes from source's position; count 0 copies the whole source from its start.
  int64_t CopyFrom(TStream &source, int64_t count);

  template <typename T> T ReadValue() {
    T value{};
    ReadBuffer(&value, sizeof value);
    return value;
  }
  template <typename T> void WriteValue(T value) { WriteBuffer(&value, sizeof value); }
};

enum class TFileMode {
  fmOpenRead,      // existing file, read only
  fmOpenReadWrite, // existing file, read and write
  fmCreate,        // create or truncate, read and write
};

class TFileStream : public TStream {
public:
  // Throws EFOpenError ("Cannot open file "%s". %s") or EFCreateError ("Cannot create file "%s". %s").
  TFileStream(const std::string &fileName, TFileMode mode);
  // Takes over a descriptor already open on fileName, with whatever lock it holds.
  TFileStream(const std::string &fileName, int openHandle) : fileName(fileName), handle(openHandle) {}
  ~TFileStream() override;
  TFileStream(const TFileStream &) = delete;
  TFileStream &operator=(const TFileStream &) = delete;

  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override;
  void SetSize(int64_t newSize) override;

  // Flushes the file's data to the disk; throws EWriteError when that fails.
  void Flush();
  const std::string &FileName() const { return fileName; }
  int Handle() const { return handle; }

private:
  std::string fileName;
  int handle = -1;
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(bytes.size()); }
  void SetSize(int64_t newSize) override;

  uint8_t *Memory() { return bytes.data(); }
  const uint8_t *Memory() const { return bytes.data(); }
  void Clear();
  void LoadFromFile(const std::string &fileName);
  void SaveToFile(const std::string &fileName);

private:
  std::vector<uint8_t> bytes;
  int64_t position = 0;
};
