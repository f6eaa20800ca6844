#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "store/settings_io.h"

namespace brindle::settings_io {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    // One read into a buffer of the file's size; a file that grows meanwhile is read on in chunks.
    struct stat info {};
    bytes.resize(fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0);
    size_t total = std::fread(bytes.data(), 1, bytes.size(), file);
    bytes.resize(total);
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes, std::string& errorText) {
    const std::string temp = path + ".new";
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        errorText = temp + ": " + std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int writeErrno = errno;
    written = std::fflush(file) == 0 && written;
    if (!written) writeErrno = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        writeErrno = errno;
    }
    if (!written) {
        std::remove(temp.c_str());
        errorText = path + ": " + std::strerror(writeErrno);
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        errorText = path + ": " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
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
