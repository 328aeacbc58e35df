#include "devari/atomicfile_p.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "libs/kvobase.h"

namespace kvo {

namespace {

std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  // Unique per process and call; a hidden name so that directory listings
  // and globbing users do not pick up a half-written file.
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  const std::string name = "." + target.filename().string() + ".tmp" + std::to_string(salt) + "." +
                           std::to_string(counter.fetch_add(1));
  return target.parent_path() / name;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& body) {
  namespace fs = std::filesystem;
  fs::path target(path);
  if (path.empty() || target.filename().empty())
    throw EKvoError("Cannot write file \"" + path + "\": not a file name");
  std::error_code ec;
  // Saving through a symbolic link replaces the file it points to, as
  // writing the file in place would; the link itself stays.
  if (fs::is_symlink(target, ec)) {
    const fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  // The new file gets the permissions of the one it replaces, so that a
  // private file does not become readable for others by being saved.
  const fs::file_status old = fs::status(target, ec);
  const bool replaces = !ec && fs::is_regular_file(old);
  const fs::path tmp = TempPathBeside(target);
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  if (!out) throw EKvoError("Cannot create file \"" + path + "\"");
  try {
    body(out);
    out.flush();
    if (!out) throw EKvoError("Cannot write file \"" + path + "\"");
    out.close();
    if (out.fail()) throw EKvoError("Cannot write file \"" + path + "\"");
    if (replaces) fs::permissions(tmp, old.permissions(), fs::perm_options::replace, ec);
    fs::rename(tmp, target, ec);
    if (ec) throw EKvoError("Cannot replace file \"" + path + "\": " + ec.message());
  } catch (...) {
    if (out.is_open()) out.close();
    std::error_code ignored;
    fs::remove(tmp, ignored);
    throw;
  }
}

}  // namespace kvo
