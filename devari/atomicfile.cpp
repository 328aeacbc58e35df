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
  const fs::path target(path);
  if (path.empty() || target.filename().empty())
    throw EKvoError("Cannot write file \"" + path + "\": not a file name");
  const fs::path tmp = TempPathBeside(target);
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  if (!out) throw EKvoError("Cannot create file \"" + path + "\"");
  try {
    body(out);
    out.flush();
    if (!out) throw EKvoError("Cannot write file \"" + path + "\"");
    out.close();
    if (out.fail()) throw EKvoError("Cannot write file \"" + path + "\"");
    std::error_code ec;
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
