#include "Files.h"

#include "ClassTable.h"
#include "Picture.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <mutex>
#include <system_error>

namespace qv {
namespace fs = std::filesystem;

namespace {

std::mutex executableMutex;
fs::path executableOverride;

std::mutex fileTypesMutex;
std::vector<RegisteredFileType> fileTypes;

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

Ref<Picture> FolderItem::OpenAsPicture() const {
    QImageReader reader(QString::fromStdString(path_.string()));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    image = image.convertToFormat(QImage::Format_RGB32);
    auto picture = RuntimeNewObject<Picture>();
    picture->Init(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        std::copy(row, row + image.width(), picture->MutablePixels() + static_cast<size_t>(y) * image.width());
    }
    return picture;
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
