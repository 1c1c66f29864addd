#include "tools/bench/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace stats_bench {
namespace {

bool writeAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t count = ::write(fd, bytes, size);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

// Reads until `size` bytes or the end of the pipe; the number of bytes read.
std::size_t readAll(int fd, char* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::read(fd, bytes + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    done += static_cast<std::size_t>(count);
  }
  return done;
}

// The child's whole life: every object `work` makes is gone before it ends, and it ends with
// _exit so that nothing of the parent (buffers, handlers) runs twice.
[[noreturn]] void childMain(int output, const std::function<Figures()>& work) {
  int status = 1;
  try {
    const Figures figures = work();
    if (writeAll(output, reinterpret_cast<const char*>(&figures), sizeof figures)) status = 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "stats_benchmark: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "stats_benchmark: unknown failure\n");
  }
  std::fflush(stderr);
  ::_exit(status);
}

}  // namespace

std::optional<Figures> runInChild(const std::function<Figures()>& work) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(fds[0]);
    childMain(fds[1], work);
  }
  ::close(fds[1]);
  Figures figures;
  const std::size_t received = readAll(fds[0], reinterpret_cast<char*>(&figures), sizeof figures);
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!succeeded || received != sizeof figures) return std::nullopt;
  return figures;
}

}  // namespace stats_bench
