#include "platform/host.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/error.h"
#include "platform/vectorcanvas.h"

#ifndef KVO_RESOURCE_DIR
#define KVO_RESOURCE_DIR ""
#endif
#ifndef KVO_INSTALLED_RESOURCE_DIR
#define KVO_INSTALLED_RESOURCE_DIR ""
#endif

namespace kvo {

namespace {

THost* gHost = nullptr;

// Print job of the headless host: pages go into a PDF file (300 dpi, A4).
class TPdfPrintJob final : public TPrintJob {
public:
  explicit TPdfPrintJob(const std::string& path)
      : FPath(path), FFile(std::make_unique<TVectorFile>(path, TVectorFormat::Pdf, 2480, 3508, 300)) {
    FFile->MarkAsPrinter();
  }
  // After Abort the canvas draws nowhere.
  TCanvas& Canvas() override { return FFile ? FFile->Canvas() : FDead; }
  TSize PageSize() const override { return {2480, 3508}; }
  void NewPage() override {
    if (FFile) FFile->NewPage();
  }
  void EndDoc() override {
    if (FFile) FFile->Finish();
  }
  // An aborted job leaves no half-written document behind.
  void Abort() override {
    if (!FFile) return;
    try {
      FFile->Finish();
    } catch (const EPlatformError&) {
    }
    FFile.reset();
    std::error_code ec;
    std::filesystem::remove(FPath, ec);
  }

private:
  std::string FPath;
  std::unique_ptr<TVectorFile> FFile;
  TCanvas FDead;
};

}  // namespace

THeadlessHost& HeadlessHost() {
  static THeadlessHost host;
  return host;
}

THost& Host() { return gHost ? *gHost : HeadlessHost(); }

void SetHost(THost* host) { gHost = host; }

void THeadlessHost::ProcessMessages() {
  if (OnProcessMessages) OnProcessMessages();
}

void THeadlessHost::ShowMessage(const std::string& text) { Messages.push_back(text); }

void THeadlessHost::RegisterCursor(TCursor id, const std::string& resourceName) {
  const auto it = std::find_if(FCursors.begin(), FCursors.end(),
                               [id](const auto& e) { return e.first == id; });
  if (it != FCursors.end()) it->second = resourceName;
  else FCursors.emplace_back(id, resourceName);
}

std::optional<std::string> THeadlessHost::CursorResource(TCursor id) const {
  for (const auto& [cid, name] : FCursors)
    if (cid == id) return name;
  return std::nullopt;
}

void THeadlessHost::SetClipboardBitmap(const TBitmap& bmp) { ClipboardBitmap = bmp; }

void THeadlessHost::SetClipboardSvg(const std::string& svg) { ClipboardSvg = svg; }

std::unique_ptr<TPrintJob> THeadlessHost::BeginPrint(const std::string& title) {
  (void)title;
  if (PrintFile.empty()) return nullptr;
  return std::make_unique<TPdfPrintJob>(PrintFile);
}

std::optional<TThemeColors> THeadlessHost::ThemeColors() const { return Theme; }

TDeviceCaps THeadlessHost::ScreenCaps() const {
  TDeviceCaps c;
  c.Width = 1920;
  c.Height = 1080;
  c.LogPixelsX = c.LogPixelsY = 96;
  c.AspectX = c.AspectY = 36;
  c.RasterOps = true;
  c.PixelRead = true;
  return c;
}

void THeadlessHost::SetScreenCursor(TCursor c) {
  THost::SetScreenCursor(c);
  CursorChanges.push_back(c);
}

std::string ResourceDir() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("KVO_RESOURCE_DIR"); env && *env) return env;
  std::error_code ec;
  if (*KVO_RESOURCE_DIR && fs::is_directory(KVO_RESOURCE_DIR, ec)) return KVO_RESOURCE_DIR;
  return KVO_INSTALLED_RESOURCE_DIR;
}

TCursorImage LoadCursorImage(const std::string& resourceName) {
  std::string lower = resourceName;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string dir = ResourceDir() + "/cursors/";
  TCursorImage out;
  out.Image.LoadFromFile(dir + lower + ".png");
  out.HotSpot = {out.Image.Width() / 2, out.Image.Height() / 2};
  std::ifstream hs(dir + "hotspots.txt");
  std::string line;
  while (std::getline(hs, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string name;
    int x = 0, y = 0;
    if (in >> name >> x >> y && name == resourceName) {
      out.HotSpot = {std::clamp(x, 0, std::max(0, out.Image.Width() - 1)),
                     std::clamp(y, 0, std::max(0, out.Image.Height() - 1))};
      break;
    }
  }
  return out;
}

void RegisterChartCursors(THost& host) {
  host.RegisterCursor(1, "CURHAND");
  host.RegisterCursor(2, "CURZOOMW");
  host.RegisterCursor(3, "CURZOOMD");
  host.RegisterCursor(4, "CURZOOMP");
}

}  // namespace kvo
