#pragma once
// What writing to a named path means, decided before anything is written. A free name or a
// regular file is replaced whole, in its folder; a link to a regular file has its target
// replaced and stays a link. Everything else is written through and never replaced: "-" and
// the descriptors of this process named through /proc (/dev/stdout, /dev/fd/N), other files
// reached through /proc (appended to), devices, and named pipes that have a reader.

#include <sys/types.h>

#include <string>

namespace stills {

struct OutputTarget {
    // Replacing: the folder, open, and the name in it.
    int dirFd = -1;
    std::string name;
    bool exists = false;                    // a file is there: its owner and mode are kept
    mode_t mode = 0;                        // permission bits the new file gets
    uid_t owner = 0;
    gid_t group = 0;
    // Writing through: the descriptor to write to; -1 when replacing.
    int fd = -1;
    // The file written, or for a free name its folder: two names of one file compare equal.
    dev_t device = 0;
    ino_t inode = 0;

    bool sameFileAs(const OutputTarget& other) const;
};

// Fills target; false with why set when the path cannot be written (nothing was made). The
// caller closes the descriptors it holds.
bool resolveOutput(const std::string& path, OutputTarget* target, std::string* why);

}  // namespace stills
