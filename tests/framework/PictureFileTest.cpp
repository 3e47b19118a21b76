// Reading pictures from files: anything that is not a small, whole picture in a
// regular file gives nil at once, and the process never holds a large image for it.
#include "Runtime.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string BigEndian32(uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
    return BigEndian32(uint32_t(data.size())) + type + data + BigEndian32(Crc32(type + data));
}

// A PNG of one-bit gray pixels, all black, as small as zlib makes it: a few KB say
// 8000 x 8000. Without `withData` it is a header that declares the size and no pixels.
std::string BlackPng(uint32_t width, uint32_t height, bool withData = true) {
    const std::string signature = "\x89PNG\r\n\x1A\n";
    const std::string header = BigEndian32(width) + BigEndian32(height) + std::string("\x01\x00\x00\x00\x00", 5);
    std::string png = signature + Chunk("IHDR", header);
    if (withData) {
        // Each row is its filter byte and (width + 7) / 8 bytes of pixels, all zero.
        const QByteArray rows(qsizetype(height) * qsizetype(1 + (width + 7) / 8), '\0');
        const QByteArray zlib = qCompress(rows, 9).mid(4);  // qCompress prefixes the length
        png += Chunk("IDAT", zlib.toStdString());
    }
    return png + Chunk("IEND", "");
}

// A 3 x 2 picture whose every pixel differs.
QImage SmallImage() {
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(40 * x, 100 * y, 7 + x + y));
    return image;
}

std::string PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// Ends the process with a message when a call has not returned by the deadline, so
// that a read that waits forever fails the test instead of hanging it.
class Deadline {
public:
    Deadline(std::chrono::seconds limit, std::string what)
        : watcher_([this, limit, what = std::move(what)] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "FAILED: %s did not return within %lld s\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::_Exit(1);
              }
          }) {}
    ~Deadline() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watcher_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread watcher_;
};

class PictureReadingTest : public testing::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        folder_ = fs::temp_directory_path() / ("quillevard-pictures-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
        RuntimeTest::TearDown();
    }

    fs::path Write(const std::string& name, const std::string& bytes) const {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path folder_;
};

TEST_F(PictureReadingTest, WhatIsNoSmallWholePictureInARegularFileGivesNil) {
    const std::string good = PngOf(SmallImage());
    std::string noise(4096, '\0');
    std::mt19937 random(1234);
    for (char& c : noise) c = char(random());

    struct Case {
        const char* what;
        std::function<fs::path()> make;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"a small PNG", [&] { return Write("good.png", good); }, true},
        {"8192 x 1, at the side bound", [&] { return Write("side.png", BlackPng(8192, 1)); }, true},
        {"zero bytes", [&] { return Write("empty.png", ""); }, false},
        {"a PNG cut in half", [&] { return Write("cut.png", good.substr(0, good.size() / 2)); }, false},
        {"random bytes", [&] { return Write("noise.png", noise); }, false},
        {"a folder", [&] { fs::create_directory(folder_ / "folder.png"); return folder_ / "folder.png"; }, false},
        {"a FIFO with no writer",
         [&] {
             const fs::path path = folder_ / "fifo.png";
             EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
             return path;
         },
         false},
        {"a device", [] { return fs::path("/dev/null"); }, false},
        {"9000 x 1, beyond the side bound", [&] { return Write("wide.png", BlackPng(9000, 1)); }, false},
        {"a header declaring 50000 x 50000", [&] { return Write("huge.png", BlackPng(50000, 50000, false)); },
         false},
        {"4097 x 4096, one column beyond the pixel bound", [&] { return Write("over.png", BlackPng(4097, 4096)); },
         false},
        {"a bomb: 8000 x 8000 in a few KB", [&] { return Write("bomb.png", BlackPng(8000, 8000)); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path path = c.make();
        Ref<Picture> picture;
        {
            Deadline deadline(std::chrono::seconds(60), std::string("OpenAsPicture on ") + c.what);
            picture = FolderItem::At(path)->OpenAsPicture();
        }
        EXPECT_EQ(bool(picture), c.opens);
    }
}

// Whatever format the file decodes to, its pixels come out as Qt converts the whole image.
TEST_F(PictureReadingTest, ASmallPictureOpensWithItsPixels) {
    const QImage image = SmallImage();
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8,
                                        QImage::Format_Grayscale8, QImage::Format_Mono}) {
        SCOPED_TRACE(format);
        const std::string png = PngOf(image.convertToFormat(format));
        const QImage expected = QImage::fromData(QByteArray::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        Ref<Picture> picture = FolderItem::At(Write("good.png", png))->OpenAsPicture();
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->Width(), 3);
        ASSERT_EQ(picture->Height(), 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const QRgb p = expected.pixel(x, y);
                EXPECT_EQ(picture->Graphics()->Pixel(x, y), (Color{uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))}))
                    << x << "," << y;
            }
    }
}

TEST_F(PictureReadingTest, AFileWithoutReadPermissionGivesNil) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, which reads a file whatever its mode";
    const fs::path path = Write("locked.png", PngOf(SmallImage()));
    fs::permissions(path, fs::perms::none);
    EXPECT_FALSE(FolderItem::At(path)->OpenAsPicture());
}

}  // namespace
}  // namespace qv
