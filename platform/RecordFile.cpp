#include "platform/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace parlomat {

int64_t recordCountOf(int64_t fileLength, int recordLength) {
  if (recordLength <= 0 || fileLength <= 0) return 0;
  return static_cast<int64_t>(
      std::nearbyint(static_cast<double>(fileLength) / static_cast<double>(recordLength)));
}

namespace {

class DiskRecordFile : public RecordFile {
 public:
  DiskRecordFile(int fd, std::string path, int recordLength, std::shared_ptr<int> openCount)
      : fd_(fd),
        path_(std::move(path)),
        recordLength_(recordLength),
        openCount_(std::move(openCount)) {
    ++*openCount_;
  }
  ~DiskRecordFile() override {
    ::close(fd_);
    --*openCount_;
  }

  int64_t length() const override {
    struct stat st {};
    if (fstat(fd_, &st) != 0) throw RecordFileError(path_ + ": " + std::strerror(errno));
    return st.st_size;
  }
  int recordLength() const override { return recordLength_; }
  const std::string& path() const override { return path_; }

  int64_t read(int64_t n, std::span<uint8_t> out) override {
    if (n < 1) throw RecordFileError(path_ + ": bad record number");
    std::memset(out.data(), 0, out.size());
    off_t offset = static_cast<off_t>((n - 1) * recordLength_);
    size_t want = std::min(out.size(), static_cast<size_t>(recordLength_));
    size_t got = 0;
    while (got < want) {
      ssize_t r = ::pread(fd_, out.data() + got, want - got, offset + static_cast<off_t>(got));
      if (r < 0) {
        if (errno == EINTR) continue;
        throw RecordFileError(path_ + ": " + std::strerror(errno));
      }
      if (r == 0) break;
      got += static_cast<size_t>(r);
    }
    return static_cast<int64_t>(got);
  }

  void write(int64_t n, std::span<const uint8_t> record) override {
    if (n < 1) throw RecordFileError(path_ + ": bad record number");
    off_t offset = static_cast<off_t>((n - 1) * recordLength_);
    // One write of the whole record: a record is never left half old and half new by us.
    ssize_t w;
    do {
      w = ::pwrite(fd_, record.data(), record.size(), offset);
    } while (w < 0 && errno == EINTR);
    if (w < 0) throw RecordFileError(path_ + ": " + std::strerror(errno));
    if (static_cast<size_t>(w) != record.size()) throw RecordFileError(path_ + ": short write");
  }

 private:
  int fd_;
  std::string path_;
  int recordLength_;
  std::shared_ptr<int> openCount_;
};

}  // namespace

std::unique_ptr<RecordFile> DiskRecordFiles::open(const std::string& path, int recordLength) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) throw RecordFileError(path + ": " + std::strerror(errno));
  return std::make_unique<DiskRecordFile>(fd, path, recordLength, openCount_);
}

std::unique_ptr<RecordFile> DiskRecordFiles::openReadOnly(const std::string& path,
                                                          int recordLength) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw RecordFileError(path + ": " + std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw RecordFileError(path + ": is a folder");
  }
  return std::make_unique<DiskRecordFile>(fd, path, recordLength, openCount_);
}

}  // namespace parlomat
