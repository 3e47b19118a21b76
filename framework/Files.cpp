#include "Files.h"

#include "ClassTable.h"
#include "Painting.h"
#include "Picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <system_error>

namespace qv {
namespace fs = std::filesystem;

namespace {

std::mutex executableMutex;
fs::path executableOverride;

std::mutex fileTypesMutex;
// Never destroyed: a file type held by a module-level reference may withdraw its
// registration while the process exits, after static destruction has begun.
std::vector<RegisteredFileType>& fileTypes = *new std::vector<RegisteredFileType>;

}  // namespace

ClassRef FolderItem::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "FolderItem";
        t.factory = FactoryOf<FolderItem>();
    });
}

Ref<FolderItem> FolderItem::At(const fs::path& path) {
    auto f = RuntimeNewObject<FolderItem>();
    f->path_ = path.lexically_normal();
    return f;
}

bool FolderItem::Exists() const {
    std::error_code ec;
    return fs::exists(path_, ec);
}

Ref<FolderItem> FolderItem::Child(std::string_view name) const {
    // A name is one path element: anything that would leave the folder finds nothing.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) return nullptr;
    return At(path_ / fs::path(name));
}

Ref<FolderItem> FolderItem::Parent() const {
    fs::path p = path_;
    if (p.has_filename() == false && p.has_relative_path()) p = p.parent_path();
    if (!p.has_relative_path()) return nullptr;
    return At(p.parent_path());
}

namespace {

// The file's bytes when it is a regular file of at most `maxBytes`; nothing otherwise.
// A special file is refused by its path before it is opened, and again by the
// descriptor, since the path may have changed in between: opening without waiting
// keeps a FIFO with no writer from holding the GUI thread.
std::optional<QByteArray> ReadRegularFile(const fs::path& path, int64_t maxBytes) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes) return std::nullopt;
    // A regular file reads alike either way; the flag is dropped so that nothing after
    // relies on it.
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);

    QByteArray bytes(static_cast<qsizetype>(status.st_size), Qt::Uninitialized);
    qsizetype have = 0;
    while (have < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + have, static_cast<size_t>(bytes.size() - have));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;  // the file was cut short meanwhile
        have += n;
    }
    bytes.truncate(have);
    return bytes;
}

bool WithinPictureBounds(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= FolderItem::MaxPictureSide &&
           size.height() <= FolderItem::MaxPictureSide &&
           int64_t{size.width()} * size.height() <= kPixelBudget;
}

// Qt's own limit on what a decoder may allocate, for a format whose header does not
// tell its size. The limit is global to Qt, so it is set for this one read only.
class AllocationLimit {
public:
    explicit AllocationLimit(int64_t pixels) : previous_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(static_cast<int>(pixels * 4 / (1024 * 1024)));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    int previous_;
};

}  // namespace

Ref<Picture> FolderItem::OpenAsPicture() const {
    QImage image;
    {
        std::optional<QByteArray> bytes = ReadRegularFile(path_, MaxPictureFileBytes);
        if (!bytes || bytes->isEmpty()) return nullptr;
        QBuffer buffer(&*bytes);
        if (!buffer.open(QIODevice::ReadOnly)) return nullptr;
        QImageReader reader(&buffer);
        const QSize declared = reader.size();
        if (declared.isValid() && !WithinPictureBounds(declared)) return nullptr;
        AllocationLimit limit(kPixelBudget);
        image = reader.read();
    }  // the file's bytes are gone before the image is converted
    if (image.isNull() || !WithinPictureBounds(image.size())) return nullptr;
    auto picture = RuntimeNewObject<Picture>();
    picture->Init(image.width(), image.height());
    uint32_t* pixels = picture->MutablePixels();
    const bool converted = ConvertRows(image, QImage::Format_RGB32, [&](int y, const uchar* bits) {
        auto* row = reinterpret_cast<const uint32_t*>(bits);
        std::copy(row, row + image.width(), pixels + static_cast<size_t>(y) * image.width());
    });
    return converted ? picture : nullptr;
}

void SetExecutablePathForTesting(const fs::path& path) {
    std::lock_guard lock(executableMutex);
    executableOverride = path;
}

fs::path ExecutablePath() {
    {
        std::lock_guard lock(executableMutex);
        if (!executableOverride.empty()) return executableOverride;
    }
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec);
}

Ref<FolderItem> GetApplicationBundleResources() {
    const fs::path exe = ExecutablePath();
    if (exe.empty()) return nullptr;
    Ref<FolderItem> file = FolderItem::At(exe);
    Ref<FolderItem> folder = file->Parent();
    if (!folder) return nullptr;
    Ref<FolderItem> top = folder->Parent();
    if (!top) return nullptr;
    return top->Child("Resources");
}

ClassRef FileType::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "FileType";
        t.factory = FactoryOf<FileType>();
    });
}

FileType::~FileType() { Withdraw(); }

void FileType::Withdraw() {
    if (!registered_) return;
    RuntimeUnregisterFileType(Registration());
    registered_ = false;
}

RegisteredFileType FileType::Registration() const { return {name_, macCreator_, macType_, extensions_}; }

void FileType::SetName(std::string_view v) { Withdraw(); name_ = v; }
void FileType::SetExtensions(std::string_view v) { Withdraw(); extensions_ = v; }
void FileType::SetMacType(std::string_view v) { Withdraw(); macType_ = v; }
void FileType::SetMacCreator(std::string_view v) { Withdraw(); macCreator_ = v; }

std::string FileType::ToString() {
    if (!registered_) {
        RuntimeRegisterFileType(Registration());
        registered_ = true;
    }
    return name_;
}

void RuntimeRegisterFileType(const RegisteredFileType& entry) {
    std::lock_guard lock(fileTypesMutex);
    fileTypes.push_back(entry);
}

void RuntimeUnregisterFileType(const RegisteredFileType& entry) {
    std::lock_guard lock(fileTypesMutex);
    auto it = std::find(fileTypes.begin(), fileTypes.end(), entry);
    if (it != fileTypes.end()) fileTypes.erase(it);
}

std::vector<RegisteredFileType> RegisteredFileTypes() {
    std::lock_guard lock(fileTypesMutex);
    return fileTypes;
}

}  // namespace qv
