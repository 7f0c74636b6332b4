#pragma once
// Random-access files of fixed-length records numbered from 1.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace parlomat {

class RecordFile {
 public:
  virtual ~RecordFile() = default;
  virtual int64_t length() const = 0;
  virtual int recordLength() const = 0;
  // Reads record n into `out` (recordLength bytes); bytes past the end of the file read as 0.
  // Returns the number of bytes that came from the file. Raises RecordFileError on failure.
  virtual int64_t read(int64_t n, std::span<uint8_t> out) = 0;
  // Writes the whole record n at its offset in one write. Raises RecordFileError on failure.
  virtual void write(int64_t n, std::span<const uint8_t> record) = 0;
  virtual const std::string& path() const = 0;
};

class RecordFileError : public std::exception {
 public:
  explicit RecordFileError(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

class RecordFiles {
 public:
  virtual ~RecordFiles() = default;
  // Opens for reading and writing, creating a missing file. Raises RecordFileError.
  virtual std::unique_ptr<RecordFile> open(const std::string& path, int recordLength) = 0;
  // Opens an existing file for reading only; never creates or changes it. Raises RecordFileError.
  virtual std::unique_ptr<RecordFile> openReadOnly(const std::string& path, int recordLength) = 0;
  // Files opened through this object and not yet closed.
  virtual int openCount() const = 0;
};

// Files on disk through POSIX calls.
class DiskRecordFiles : public RecordFiles {
 public:
  std::unique_ptr<RecordFile> open(const std::string& path, int recordLength) override;
  std::unique_ptr<RecordFile> openReadOnly(const std::string& path, int recordLength) override;
  int openCount() const override { return *openCount_; }

 private:
  std::shared_ptr<int> openCount_ = std::make_shared<int>(0);
};

// Record count of a file: its length over the record length, rounded half to even.
int64_t recordCountOf(int64_t fileLength, int recordLength);

}  // namespace parlomat
