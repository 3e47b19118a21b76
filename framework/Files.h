// Folder items and file types.
#pragma once

#include "Object.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Picture;

class FolderItem : public Object {
public:
    static ClassRef Lookup();
    static Ref<FolderItem> At(const std::filesystem::path& path);

    const std::filesystem::path& Path() const { return path_; }
    bool Exists() const;
    // The item of that name inside this folder; it need not exist.
    Ref<FolderItem> Child(std::string_view name) const;
    // The enclosing folder; nil at the root.
    Ref<FolderItem> Parent() const;
    // The file read as a picture, recognised by its content; nil when it is missing,
    // unreadable, not a regular file (a FIFO, a device or a folder is never opened for
    // reading in a way that could wait) or larger than the bounds below. A picture is
    // refused by the size its header declares, before it is decoded, so that a small
    // file cannot make the process hold a large image.
    Ref<Picture> OpenAsPicture() const;

    // The bounds of a picture read from a file: at most 64 MiB of file, at most 8192
    // pixels on either side and at most kPixelBudget pixels in all. The backdrop this
    // serves is a few hundred pixels wide.
    static constexpr int64_t MaxPictureFileBytes = int64_t{64} * 1024 * 1024;
    static constexpr int32_t MaxPictureSide = 8192;

private:
    std::filesystem::path path_;
};

// The application's own resource folder: the folder "Resources" in the folder two
// levels above the executable. Nil when the executable has no two parent folders.
Ref<FolderItem> GetApplicationBundleResources();
// Tests point the runtime at another executable path.
void SetExecutablePathForTesting(const std::filesystem::path& path);
std::filesystem::path ExecutablePath();

struct RegisteredFileType {
    std::string name, creator, type, extensions;

    friend bool operator==(const RegisteredFileType&, const RegisteredFileType&) = default;
};

class FileType : public Object {
public:
    static ClassRef Lookup();

    // Each setter withdraws a registration first.
    void SetName(std::string_view v);
    void SetExtensions(std::string_view v);
    void SetMacType(std::string_view v);
    void SetMacCreator(std::string_view v);
    const std::string& Name() const { return name_; }
    const std::string& Extensions() const { return extensions_; }
    const std::string& MacType() const { return macType_; }
    const std::string& MacCreator() const { return macCreator_; }
    bool Registered() const { return registered_; }

    // The String conversion: registers the type once and yields its Name.
    std::string ToString();

protected:
    ~FileType() override;

private:
    void Withdraw();
    RegisteredFileType Registration() const;
    std::string name_, extensions_, macType_, macCreator_;
    bool registered_ = false;
};

void RuntimeRegisterFileType(const RegisteredFileType& entry);
// Removes that very registration; another type may be registered under the same name.
void RuntimeUnregisterFileType(const RegisteredFileType& entry);
std::vector<RegisteredFileType> RegisteredFileTypes();

}  // namespace qv
