#include "devari/atomicfile_p.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <streambuf>
#include <system_error>

#include "libs/kvobase.h"

namespace kvo {

namespace {

namespace fs = std::filesystem;

std::string Reason(int err) { return std::system_category().message(err); }

// A stream buffer that writes to a file descriptor and remembers the error
// of the first write that failed.
class TFdBuf : public std::streambuf {
public:
  explicit TFdBuf(int fd) : FFd(fd) { setp(FBuf, FBuf + sizeof FBuf); }
  int Error() const noexcept { return FErr; }
  bool Flush() {
    const char* p = pbase();
    while (p < pptr()) {
      const ssize_t n = ::write(FFd, p, std::size_t(pptr() - p));
      if (n < 0) {
        if (errno == EINTR) continue;
        FErr = errno;
        return false;
      }
      p += n;
    }
    setp(FBuf, FBuf + sizeof FBuf);
    return true;
  }

protected:
  int_type overflow(int_type ch) override {
    if (FErr != 0 || !Flush()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }
  int sync() override { return FErr == 0 && Flush() ? 0 : -1; }

private:
  int FFd;
  int FErr = 0;
  char FBuf[1 << 16];
};

// Saving through a symbolic link writes the file the link points to, as
// writing in place would, also when that file does not exist yet; the link
// itself stays. Chains are followed (at most 40 links, as the system does).
fs::path FollowLinks(fs::path p) {
  std::error_code ec;
  for (int k = 0; k < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++k) {
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return p;
}

// Temporary files are named "." + name + ".tmp" + process id + "." +
// number beside the target: hidden, unique per process and call, and
// recognisable as ours. A long name is shortened so that the temporary name
// stays within the 255 bytes a file name may have.
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kTmpSuffixBytes = 1 + 4 + 10 + 1 + 10;  // "." ".tmp" pid "." n

std::string TempPrefix(const fs::path& target) {
  std::string name = target.filename().string();
  if (name.size() > kMaxNameBytes - kTmpSuffixBytes) name.resize(kMaxNameBytes - kTmpSuffixBytes);
  return "." + name + ".tmp";
}

bool AllDigits(std::string_view s) {
  if (s.empty() || s.size() > 10) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Removes temporary files of this target that saves killed before they
// finished left behind: files of our pattern, owned by us, whose process
// no longer runs. Files of running processes (saves under way) stay.
void RemoveStaleTemps(const fs::path& dir, const std::string& prefix) {
  const fs::path where = dir.empty() ? fs::path(".") : dir;
  DIR* d = ::opendir(where.c_str());
  if (!d) return;
  const pid_t self = ::getpid();
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string_view rest = name.substr(prefix.size());
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !AllDigits(rest.substr(0, dot)) ||
        !AllDigits(rest.substr(dot + 1)))
      continue;
    const long long pid = std::stoll(std::string(rest.substr(0, dot)));
    if (pid == self) continue;
    if (pid > 0 && pid <= 0x7FFFFFFF && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)) continue;
    const fs::path file = where / std::string(name);
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
      continue;
    ::unlink(file.c_str());
  }
  ::closedir(d);
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& body) {
  const fs::path given(path);
  if (path.empty() || given.filename().empty())
    throw EKvoError("Cannot write file \"" + path + "\": not a file name");
  const fs::path target = FollowLinks(given);
  std::error_code ec;
  if (fs::is_directory(target, ec))
    throw EKvoError("Cannot write file \"" + path + "\": " + Reason(EISDIR));

  // The temporary file is created with the permissions of the file it
  // replaces (a new file: the usual ones, less the umask), so that a
  // private file is never readable for others while it is being saved.
  struct stat old {};
  const bool replaces = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const mode_t mode = replaces ? (old.st_mode & 07777) : 0666;
  static std::atomic<unsigned> counter{0};
  const std::string prefix = TempPrefix(target);
  // First the leftovers of killed saves: they may be what fills the disk.
  RemoveStaleTemps(target.parent_path(), prefix);
  const fs::path tmp = target.parent_path() / (prefix + std::to_string(::getpid()) + "." +
                                               std::to_string(counter.fetch_add(1)));
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    const int err = errno;
    const std::string dir = target.parent_path().empty() ? "." : target.parent_path().string();
    throw EKvoError("Cannot write file \"" + path + "\": cannot create a file in \"" + dir +
                    "\": " + Reason(err));
  }
  // The umask may have taken bits the replaced file had.
  if (replaces) (void)::fchmod(fd, mode);

  bool done = false;
  try {
    TFdBuf buf(fd);
    std::ostream out(&buf);
    try {
      body(out);
      out.flush();
    } catch (...) {
      if (buf.Error() == 0) throw;  // the body's own failure
    }
    if (buf.Error() != 0 || !out)
      throw EKvoError("Cannot write file \"" + path + "\": " +
                      Reason(buf.Error() != 0 ? buf.Error() : EIO));
    // The bytes reach the disk before the new file takes the old one's
    // place: a crash then leaves the old file or the new one, whole.
    if (::fsync(fd) != 0)
      throw EKvoError("Cannot write file \"" + path + "\": " + Reason(errno));
    const int closed = ::close(fd);
    done = true;
    if (closed != 0) throw EKvoError("Cannot write file \"" + path + "\": " + Reason(errno));
    if (::rename(tmp.c_str(), target.c_str()) != 0)
      throw EKvoError("Cannot replace file \"" + path + "\": " + Reason(errno));
  } catch (...) {
    if (!done) ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
  // The rename itself reaches the disk with the directory.
  const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    (void)::fsync(dfd);
    ::close(dfd);
  }
}

}  // namespace kvo
