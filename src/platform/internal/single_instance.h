#pragma once
// One copy per user: a running copy holds an flock on "<name>.lock" in the
// runtime directory and listens on the datagram socket "<name>.sock", where
// a second copy asks it to come to the front.
#include <string>

namespace platform::internal {

// $TUNEWANDER_RUNTIME_DIR, else $XDG_RUNTIME_DIR, else /tmp/tunewander-<uid>
// (created private to the user). Empty when none is usable.
std::string RuntimeDirectory();

class SingleInstance {
public:
    SingleInstance(std::string directory, std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock and opens the request socket. False when another holder
    // has the lock or the directory is unusable.
    bool Acquire();
    void Release();
    bool Held() const { return lockFd_ >= 0; }
    // Whether someone else holds the lock (a holder in this process counts
    // too when it is another SingleInstance object).
    bool HeldElsewhere() const;
    // Asks the holder to come to the front. True when the request was sent.
    bool RequestForeground() const;
    // Requests received since the last call (non-blocking).
    int TakeRequests();

private:
    std::string LockPath() const { return directory_ + "/" + name_ + ".lock"; }
    std::string SocketPath() const { return directory_ + "/" + name_ + ".sock"; }

    std::string directory_, name_;
    int lockFd_ = -1;
    int socketFd_ = -1;
};

}  // namespace platform::internal
