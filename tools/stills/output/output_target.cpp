#include "tools/stills/output/output_target.h"

#include <fcntl.h>
#include <limits.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace stills {

namespace {

constexpr int kMaxLinkHops = 40;            // the kernel's own limit on the links of one path
constexpr mode_t kNewFileMode = 0666;       // before the umask, as a shell's redirection makes
constexpr mode_t kPermissionBits = 0777;    // set-id bits are never carried to what we wrote

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool onProc(const std::string& folder)
{
    struct statfs fs;
    return statfs(folder.c_str(), &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

bool refuse(std::string* why, const std::string& reason)
{
    *why = reason;
    return false;
}

struct LinkWalk {
    int ownFd = -1;                         // the descriptor of ours the path names, or -1
    bool throughProc = false;               // a link on the way lives in /proc
};

// Follows the path's links one at a time, up to the first one that lives in /proc: there the
// kernel makes the target up (a descriptor, a pipe, a deleted file), and following its text
// would name something else.
LinkWalk walkLinks(const std::string& path)
{
    LinkWalk walk;
    std::string hop = path;
    for (int i = 0; i < kMaxLinkHops; ++i) {
        struct stat st;
        if (lstat(hop.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return walk;
        const std::string folder = folderOf(hop);
        if (onProc(folder)) {
            walk.throughProc = true;
            char real[PATH_MAX];
            const std::string name = baseOf(hop);
            const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
                return std::isdigit(c) != 0;
            });
            if (number && realpath(folder.c_str(), real) != nullptr
                && std::string(real) == "/proc/" + std::to_string(getpid()) + "/fd")
                walk.ownFd = std::atoi(name.c_str());
            return walk;
        }
        char text[PATH_MAX];
        const ssize_t n = readlink(hop.c_str(), text, sizeof text - 1);
        if (n < 0) return walk;
        text[n] = '\0';
        hop = text[0] == '/' ? std::string(text) : folder + "/" + text;
    }
    return walk;
}

// Why open failed on a path that is not a regular file or a free name.
std::string whyNotOpened(const std::string& path, int error)
{
    struct stat st;
    const bool seen = stat(path.c_str(), &st) == 0;
    if (error == ENXIO && seen && S_ISFIFO(st.st_mode))
        return "it is a named pipe that no program is reading: nothing would take what is written";
    if (error == ENXIO && seen && S_ISSOCK(st.st_mode)) return "it is a socket, not a file";
    char text[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), text, sizeof text - 1);
    if (error == ENOENT && n >= 0)
        return "it is a link to '" + std::string(text, static_cast<size_t>(n)) + "', which does not exist";
    return std::strerror(error);
}

bool writeThrough(int fd, OutputTarget* t, std::string* why)
{
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        const int error = errno;
        if (fd >= 0) close(fd);
        return refuse(why, std::strerror(error));
    }
    t->fd = fd;
    t->device = st.st_dev;
    t->inode = st.st_ino;
    return true;
}

// existing: the regular file there now, or null for a free name.
bool replaceIn(const std::string& folder, const std::string& name, const struct stat* existing, OutputTarget* t,
               std::string* why)
{
    if (name.empty() || name == "." || name == "..") return refuse(why, "it names a folder, not a file");
    const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat dir;
    if (dirFd < 0 || fstat(dirFd, &dir) != 0) {
        const int error = errno;
        if (dirFd >= 0) close(dirFd);
        return refuse(why, std::strerror(error));
    }
    t->dirFd = dirFd;
    t->name = name;
    t->exists = existing != nullptr;
    if (existing != nullptr) {
        t->mode = existing->st_mode & kPermissionBits;
        t->owner = existing->st_uid;
        t->group = existing->st_gid;
        t->device = existing->st_dev;
        t->inode = existing->st_ino;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        t->mode = kNewFileMode & ~mask;
        t->device = dir.st_dev;
        t->inode = dir.st_ino;
    }
    return true;
}

}  // namespace

bool OutputTarget::sameFileAs(const OutputTarget& other) const
{
    const bool free = dirFd >= 0 && !exists;
    const bool otherFree = other.dirFd >= 0 && !other.exists;
    return device == other.device && inode == other.inode && free == otherFree && (!free || name == other.name);
}

bool resolveOutput(const std::string& path, OutputTarget* t, std::string* why)
{
    *t = OutputTarget{};
    const LinkWalk walk = path == "-" ? LinkWalk{STDOUT_FILENO, true} : walkLinks(path);
    if (walk.ownFd >= 0) return writeThrough(fcntl(walk.ownFd, F_DUPFD_CLOEXEC, 0), t, why);

    struct stat st;
    if (lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return refuse(why, std::strerror(errno));
        return replaceIn(folderOf(path), baseOf(path), nullptr, t, why);
    }
    if (S_ISREG(st.st_mode)) return replaceIn(folderOf(path), baseOf(path), &st, t, why);
    if (S_ISDIR(st.st_mode)) return refuse(why, "it is a folder");

    // A link, a device, a pipe: opened without waiting for a pipe's reader, and without
    // becoming this process's terminal.
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return refuse(why, whyNotOpened(path, errno));
    struct stat opened;
    if (fstat(fd, &opened) != 0) {
        const int error = errno;
        close(fd);
        return refuse(why, std::strerror(error));
    }
    if (S_ISREG(opened.st_mode) && !walk.throughProc) {
        // A link to a regular file: the file it leads to is replaced, the link stays.
        char real[PATH_MAX];
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = readlink(self.c_str(), real, sizeof real - 1);
        close(fd);
        if (n <= 0 || real[0] != '/') return refuse(why, "the file its link leads to cannot be found");
        const std::string target(real, static_cast<size_t>(n));
        return replaceIn(folderOf(target), baseOf(target), &opened, t, why);
    }
    // Written through: a file reached through /proc is added to, never cut; a pipe that has a
    // reader, and a device, may now make the writer wait.
    const int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, (flags & ~O_NONBLOCK) | (S_ISREG(opened.st_mode) ? O_APPEND : 0));
    return writeThrough(fd, t, why);
}

}  // namespace stills
