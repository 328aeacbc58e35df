// kvo-gallery DIR: writes every gallery page into DIR as PNG (vector pages
// also as SVG and PDF) and an index.html that shows them.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "platform/vectorcanvas.h"

namespace {

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kvo-gallery DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path dir = argv[1];
  try {
    fs::create_directories(dir);
    const auto pages = kvo::gallery::AllPages();
    std::ofstream index(dir / "index.html");
    index << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Kvo gallery</title>\n"
             "<style>body{font-family:sans-serif;background:#eee}figure{background:#fff;"
             "display:inline-block;margin:1em;padding:.5em;box-shadow:0 0 4px #999}"
             "img{display:block}</style></head><body>\n<h1>Kvo gallery</h1>\n";
    int failures = 0;
    for (const auto& page : pages) {
      try {
        kvo::TBitmap bmp(page.Width, page.Height);
        bmp.Fill(kvo::clWhite);
        page.Draw(bmp.Canvas());
        bmp.SaveToFile((dir / (page.Id + ".png")).string());
        index << "<figure><img src=\"" << Escape(page.Id) << ".png\" width=\"" << page.Width
              << "\" height=\"" << page.Height << "\" alt=\"" << Escape(page.Title)
              << "\"><figcaption>" << Escape(page.Title);
        if (page.Vector) {
          for (auto [fmt, ext] : {std::pair{kvo::TVectorFormat::Svg, ".svg"},
                                  std::pair{kvo::TVectorFormat::Pdf, ".pdf"}}) {
            kvo::TVectorFile file((dir / (page.Id + ext)).string(), fmt, page.Width,
                                  page.Height);
            page.Draw(file.Canvas());
            file.Finish();
          }
          index << " &mdash; <a href=\"" << Escape(page.Id) << ".svg\">SVG</a> <a href=\""
                << Escape(page.Id) << ".pdf\">PDF</a>";
        }
        index << "</figcaption></figure>\n";
        std::printf("%s\n", page.Id.c_str());
      } catch (const std::exception& e) {
        ++failures;
        std::fprintf(stderr, "kvo-gallery: page %s failed: %s\n", page.Id.c_str(), e.what());
      }
    }
    index << "</body></html>\n";
    index.close();
    if (!index) {
      std::fprintf(stderr, "kvo-gallery: cannot write %s\n", (dir / "index.html").c_str());
      return 1;
    }
    return failures == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kvo-gallery: %s\n", e.what());
    return 1;
  }
}
