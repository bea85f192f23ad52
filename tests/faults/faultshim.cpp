// Loaded with LD_PRELOAD into a child program: counts the file writes, renames and deletions that
// follow korvel_fault_arm(), and at the one numbered by KORVEL_FAULT_AT either kills the process
// (KORVEL_FAULT_MODE=kill) or fails that write and every later one as a full disk would
// (KORVEL_FAULT_MODE=full). The settings store's own lock file is left out: the toolkit waits
// 30 seconds before it takes over one that a kill left empty, which would only make the runs slow.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool armed = false;
long counted = 0;

long faultAt() {
    const char* at = std::getenv("KORVEL_FAULT_AT");
    return at ? std::atol(at) : 0;
}

bool killing() {
    const char* mode = std::getenv("KORVEL_FAULT_MODE");
    return mode && std::strcmp(mode, "kill") == 0;
}

// True when this operation is to fail; a kill never returns.
bool faultHere(bool isWrite) {
    if (!armed)
        return false;
    const long at = faultAt();
    ++counted;
    if (killing()) {
        if (counted == at)
            raise(SIGKILL);
        return false;
    }
    return isWrite && at > 0 && counted >= at;
}

bool regularFile(int fd) {
    struct stat status {};
    return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

bool settingsStoreLock(int fd) {
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    const char suffix[] = ".ini.lock";
    const size_t suffixLength = sizeof suffix - 1;
    return length >= static_cast<ssize_t>(suffixLength) &&
           std::memcmp(path + length - suffixLength, suffix, suffixLength) == 0;
}

// A write that can be a fault point: to a regular file that is not the settings store's lock.
bool counts(int fd) {
    return regularFile(fd) && !settingsStoreLock(fd);
}

template <typename F> F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

ssize_t refused() {
    errno = ENOSPC;
    return -1;
}

} // namespace

extern "C" {

void korvel_fault_arm() {
    armed = true;
}

ssize_t write(int fd, const void* buffer, size_t size) {
    static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (counts(fd) && faultHere(true))
        return refused();
    return real(fd, buffer, size);
}

ssize_t pwrite64(int fd, const void* buffer, size_t size, off64_t offset) {
    static auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    if (counts(fd) && faultHere(true))
        return refused();
    return real(fd, buffer, size, offset);
}

ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    static auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (counts(fd) && faultHere(true))
        return refused();
    return real(fd, buffer, size, offset);
}

int rename(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("rename");
    faultHere(false);
    return real(from, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    static auto real = next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    faultHere(false);
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) {
    static auto real = next<int (*)(const char*)>("unlink");
    faultHere(false);
    return real(path);
}
}
