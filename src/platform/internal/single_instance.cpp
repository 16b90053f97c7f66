#include "platform/internal/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::internal {

namespace {

constexpr char kFrontRequest[] = "front";

bool UsableDirectory(const std::string& path, bool mustBeOwn) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    // A shared /tmp folder that someone else made could be used to fake or
    // steal the lock: only our own private folder is trusted there.
    if (mustBeOwn && (st.st_uid != getuid() || (st.st_mode & 0077) != 0)) return false;
    return true;
}

bool MakeAddress(const std::string& path, sockaddr_un* address) {
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

std::string RuntimeDirectory() {
    if (const char* dir = std::getenv("TUNEWANDER_RUNTIME_DIR"); dir && *dir)
        return UsableDirectory(dir, false) ? dir : std::string();
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir && UsableDirectory(dir, false))
        return dir;
    const std::string own = "/tmp/tunewander-" + std::to_string(getuid());
    mkdir(own.c_str(), 0700);  // fails harmlessly when it exists
    return UsableDirectory(own, true) ? own : std::string();
}

SingleInstance::SingleInstance(std::string directory, std::string name)
    : directory_(std::move(directory)), name_(std::move(name)) {}

SingleInstance::~SingleInstance() { Release(); }

bool SingleInstance::Acquire() {
    if (lockFd_ >= 0) return true;
    if (directory_.empty()) return false;
    const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    // With the lock held, any socket file left behind is stale.
    sockaddr_un address;
    if (MakeAddress(SocketPath(), &address)) {
        unlink(address.sun_path);
        const int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            socketFd_ = s;
        } else if (s >= 0) {
            close(s);
        }
    }
    return true;
}

void SingleInstance::Release() {
    if (socketFd_ >= 0) {
        close(socketFd_);
        socketFd_ = -1;
        unlink(SocketPath().c_str());
    }
    if (lockFd_ >= 0) {
        close(lockFd_);  // closing the descriptor drops the flock
        lockFd_ = -1;
    }
}

bool SingleInstance::HeldElsewhere() const {
    if (directory_.empty()) return false;
    const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool held = false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        held = errno == EWOULDBLOCK;
    } else {
        flock(fd, LOCK_UN);
    }
    close(fd);
    return held;
}

bool SingleInstance::RequestForeground() const {
    sockaddr_un address;
    if (directory_.empty() || !MakeAddress(SocketPath(), &address)) return false;
    const int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    const ssize_t sent = sendto(s, kFrontRequest, sizeof kFrontRequest - 1, MSG_DONTWAIT,
                                reinterpret_cast<sockaddr*>(&address), sizeof address);
    close(s);
    return sent == ssize_t(sizeof kFrontRequest - 1);
}

int SingleInstance::TakeRequests() {
    if (socketFd_ < 0) return 0;
    int count = 0;
    char buffer[16];
    for (;;) {
        const ssize_t n = recv(socketFd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0) break;
        if (size_t(n) == sizeof kFrontRequest - 1 && std::memcmp(buffer, kFrontRequest, size_t(n)) == 0)
            ++count;
    }
    return count;
}

}  // namespace platform::internal
