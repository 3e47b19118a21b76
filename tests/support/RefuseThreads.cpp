// Preloaded into a process under test, this makes pthread_create fail with EAGAIN,
// as a per-user process limit or a container's pids limit does, while the file named
// by QUILLEVARD_REFUSE_THREADS_WHILE exists. The test creates the file when it wants
// threads refused, so the refusal begins at a point it chooses. An empty file refuses
// every thread; a file that holds a name refuses only the threads whose start routine
// lies in a library whose path contains that name ("libQt6Core": every QThread, those
// of Qt's thread pools included), and lets the program's own threads start.
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

using CreateFn = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);

bool Refused(void* (*start)(void*)) {
    const char* flag = std::getenv("QUILLEVARD_REFUSE_THREADS_WHILE");
    if (!flag || !*flag) return false;
    const int fd = open(flag, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char library[256] = {};
    const ssize_t got = read(fd, library, sizeof library - 1);
    close(fd);
    library[got > 0 ? got : 0] = '\0';
    library[std::strcspn(library, "\r\n")] = '\0';
    if (!library[0]) return true;
    Dl_info info{};
    return dladdr(reinterpret_cast<void*>(start), &info) && info.dli_fname && std::strstr(info.dli_fname, library);
}

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attr, void* (*start)(void*), void* arg) {
    if (Refused(start)) return EAGAIN;
    static const auto next = reinterpret_cast<CreateFn>(dlsym(RTLD_NEXT, "pthread_create"));
    if (!next) return EAGAIN;
    return next(thread, attr, start, arg);
}
