#pragma once
// A file system that has run out of room, for the tests of saves on a full
// disk: a 64 KiB tmpfs mounted on a fresh folder, holding an old file and a
// filler that takes the rest. Mounting needs root; without it (or where the
// mount is refused) mounted() is false and whyNot() says why, for
// GTEST_SKIP. The file system is unmounted and its folder removed at the end.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tavo::testing_support {

class FullDisk {
public:
    FullDisk()
    {
        if (::geteuid() != 0) {
            whyNot_ = "mounting a small file system needs root";
            return;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "tavo-full-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            whyNot_ = std::string("no folder to mount on: ") + std::strerror(errno);
            return;
        }
        folder_ = pattern;
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
            whyNot_ = std::string("mount -t tmpfs failed: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }

    ~FullDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
        if (!folder_.empty())
            ::rmdir(folder_.c_str());
    }

    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool mounted() const { return mounted_; }
    const std::string &whyNot() const { return whyNot_; }
    const std::filesystem::path &folder() const { return folder_; }

    // Writes the old file, then fills every byte that is left. False when
    // the disk could not be filled.
    bool placeAndFill(const std::string &name, std::string_view oldBytes) const
    {
        std::ofstream(folder_ / name, std::ios::binary).write(oldBytes.data(), std::streamsize(oldBytes.size()));
        const int fd = ::open((folder_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        const std::string chunk(4096, 'x');
        bool full = false;
        for (int i = 0; i < 1000 && !full; ++i)
            full = ::write(fd, chunk.data(), chunk.size()) < 0 && errno == ENOSPC;
        // A last partly filled page still takes single bytes.
        while (full && ::write(fd, "x", 1) == 1) {}
        ::close(fd);
        return full;
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string whyNot_;
};

} // namespace tavo::testing_support
