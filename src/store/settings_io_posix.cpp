#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "store/settings_io.h"

namespace brindle::settings_io {

namespace {

std::string Explain(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            close(fd);
    }
};

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& errorText) {
    Descriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return ReadResult::kNotFound;
        }
        errorText = Explain(path, errno);
        return ReadResult::kFailed;
    }
    // One read into a buffer of the file's size; a file that grows meanwhile is read on.
    struct stat info {};
    const bool regular = fstat(file.fd, &info) == 0 && S_ISREG(info.st_mode);
    bytes.resize(regular ? static_cast<size_t>(info.st_size) + 1 : 4096);
    size_t total = 0;
    for (;;) {
        if (total == bytes.size())
            bytes.resize(bytes.size() * 2);
        ssize_t got = read(file.fd, bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            errorText = Explain(path, errno);
            bytes.clear();
            return ReadResult::kFailed;
        }
        if (got == 0)
            break;
        total += static_cast<size_t>(got);
    }
    bytes.resize(total);
    return ReadResult::kRead;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The rename itself lives in the folder: flushing the folder makes it last.
void FlushFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    Descriptor dir{open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        fsync(dir.fd);
}

}  // namespace

namespace {

// Keeps the file at `path` as `backup`. A hard link leaves the file in place until the new one replaces
// it; where the file system has no links (FAT on a USB stick) the file is renamed, and `moved` says so.
bool KeepAsBackup(const std::string& path, const std::string& backup, bool& moved) {
    moved = false;
    if (unlink(backup.c_str()) != 0 && errno != ENOENT) {
        return false;
    }
    if (link(path.c_str(), backup.c_str()) == 0) {
        return true;
    }
    moved = rename(path.c_str(), backup.c_str()) == 0;
    return moved;
}

}  // namespace

bool ReplaceWholeFile(const std::string& path,
                      std::string_view bytes,
                      std::string& errorText,
                      const std::string& backupPath) {
    const std::string temp = path + ".new";
    Descriptor file{open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (file.fd < 0) {
        errorText = Explain(path, errno);
        return false;
    }
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) {
        fchmod(file.fd, old.st_mode & 07777);  // best effort: a file of another owner keeps the default
    }
    // Written whole and on the disk before it takes the old file's place, so a crash leaves one or the other.
    bool written = WriteAll(file.fd, bytes) && fsync(file.fd) == 0;
    int error = errno;
    if (close(file.fd) != 0 && written) {
        written = false;
        error = errno;
    }
    file.fd = -1;
    if (!written) {
        unlink(temp.c_str());
        errorText = Explain(path, error);
        return false;
    }
    bool moved = false;
    if (!backupPath.empty() && access(path.c_str(), F_OK) == 0 && !KeepAsBackup(path, backupPath, moved)) {
        errorText = Explain(backupPath, errno);
        unlink(temp.c_str());
        return false;
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        errorText = Explain(path, errno);
        unlink(temp.c_str());
        if (moved)
            rename(backupPath.c_str(), path.c_str());  // the old file back where it was
        return false;
    }
    FlushFolderOf(path);
    return true;
}

std::string ResolveSettingsPath(const std::string& pattern) {
    glob_t matches{};
    std::string result = pattern;
    if (glob(pattern.c_str(), GLOB_NOSORT, nullptr, &matches) == 0) {
        for (size_t i = 0; i < matches.gl_pathc; ++i) {
            struct stat info {};
            if (stat(matches.gl_pathv[i], &info) == 0 && !S_ISDIR(info.st_mode)) {
                char full[PATH_MAX];
                result = realpath(matches.gl_pathv[i], full) ? full : matches.gl_pathv[i];
                break;
            }
        }
    }
    globfree(&matches);
    return result;
}

}  // namespace brindle::settings_io
