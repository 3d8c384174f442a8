#pragma once
// Where a decoder reads a picture from: bytes already in memory, or a file read a
// piece at a time, so a large picture file is never held whole beside its pixels.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace imaging {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Copies up to count bytes from the current position and moves past them;
    // returns how many there were (fewer only at the end of the data).
    virtual std::size_t read(std::uint8_t* to, std::size_t count) = 0;
    // Moves to a position counted from the start; false (position unchanged) past the end.
    virtual bool seek(std::uint64_t position) = 0;
    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t size() const = 0;

    // True when all count bytes were there.
    bool readAll(std::uint8_t* to, std::size_t count) { return read(to, count) == count; }
};

// The caller's bytes, read in place; they must outlive the source.
class MemorySource final : public PictureSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(data == nullptr ? 0 : size) {}
    std::size_t read(std::uint8_t* to, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// A regular file opened by its UTF-8 name and read through a small buffer.
class FileSource final : public PictureSource {
public:
    // Nothing (no source) when the name is no regular file or cannot be opened.
    static std::unique_ptr<FileSource> open(const std::string& utf8Path);
    std::size_t read(std::uint8_t* to, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return size_; }

private:
    FileSource() = default;
    std::filebuf file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

}  // namespace imaging
