// Image files: BMP (read and write), PNG (through Cairo), JPEG (read, through
// libjpeg). Every decoder checks sizes against the file before it reads.
#include <cstdio>
#include <csetjmp>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <cctype>
#include <memory>

#include <jpeglib.h>

#include "platform/bitmap.h"
#include "platform/error.h"

namespace kvo {

namespace detail {
void DecodePng(const std::vector<std::uint8_t>& bytes, TBitmap& out);
}

namespace {

constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 28;

#pragma pack(push, 1)
struct TBmpFileHeader {
  std::uint16_t Type;       // "BM"
  std::uint32_t Size;
  std::uint16_t Reserved1, Reserved2;
  std::uint32_t OffBits;
};
struct TBmpInfoHeader {
  std::uint32_t Size;
  std::int32_t Width, Height;
  std::uint16_t Planes, BitCount;
  std::uint32_t Compression, SizeImage;
  std::int32_t XPelsPerMeter, YPelsPerMeter;
  std::uint32_t ClrUsed, ClrImportant;
};
#pragma pack(pop)
static_assert(sizeof(TBmpFileHeader) == 14);
static_assert(offsetof(TBmpFileHeader, OffBits) == 10);
static_assert(sizeof(TBmpInfoHeader) == 40);
static_assert(offsetof(TBmpInfoHeader, BitCount) == 14);
static_assert(offsetof(TBmpInfoHeader, ClrUsed) == 32);

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw EPlatformError("cannot open image file \"" + path + "\"");
  f.seekg(0, std::ios::end);
  const std::streamoff size = f.tellg();
  if (size < 0) throw EPlatformError("cannot read image file \"" + path + "\"");
  if (std::uint64_t(size) > kMaxFileBytes)
    throw EPlatformError("image file \"" + path + "\" is too large");
  f.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && !f.read(reinterpret_cast<char*>(bytes.data()), size))
    throw EPlatformError("cannot read image file \"" + path + "\"");
  return bytes;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) throw EPlatformError("cannot create image file \"" + path + "\"");
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  f.close();
  if (!f) throw EPlatformError("cannot write image file \"" + path + "\"");
}

// Bit position and width of a channel mask (for BI_BITFIELDS).
struct TMask {
  std::uint32_t Mask = 0;
  int Shift = 0, Bits = 0;
  explicit TMask(std::uint32_t m) : Mask(m) {
    if (!m) return;
    while (!((m >> Shift) & 1)) ++Shift;
    while (Shift + Bits < 32 && ((m >> (Shift + Bits)) & 1)) ++Bits;
  }
  std::uint8_t Get(std::uint32_t v) const {
    if (!Mask) return 255;
    const std::uint32_t c = (v & Mask) >> Shift;
    const std::uint32_t max = Bits >= 32 ? 0xFFFFFFFFu : ((1u << Bits) - 1);
    return std::uint8_t((std::uint64_t(c) * 255 + max / 2) / max);
  }
};

void DecodeBmp(const std::vector<std::uint8_t>& b, TBitmap& out) {
  if (b.size() < sizeof(TBmpFileHeader) + 12) throw EPlatformError("truncated BMP file");
  TBmpFileHeader fh;
  std::memcpy(&fh, b.data(), sizeof fh);
  std::uint32_t hsize;
  std::memcpy(&hsize, b.data() + sizeof fh, 4);
  TBmpInfoHeader ih{};
  std::size_t palEntry = 4;
  if (hsize == 12) {
    // OS/2 core header: 16-bit sizes, 3-byte palette entries.
    std::uint16_t w, h, planes, bits;
    std::memcpy(&w, b.data() + 18, 2);
    std::memcpy(&h, b.data() + 20, 2);
    std::memcpy(&planes, b.data() + 22, 2);
    std::memcpy(&bits, b.data() + 24, 2);
    ih.Size = 12;
    ih.Width = w;
    ih.Height = h;
    ih.BitCount = bits;
    palEntry = 3;
  } else if (hsize >= 40 && hsize <= 124) {
    if (b.size() < sizeof fh + hsize) throw EPlatformError("truncated BMP header");
    std::memcpy(&ih, b.data() + sizeof fh, sizeof ih);
  } else {
    throw EPlatformError("unsupported BMP header");
  }
  const bool topDown = ih.Height < 0;
  const std::int64_t w = ih.Width, h = topDown ? -std::int64_t(ih.Height) : ih.Height;
  if (w <= 0 || h <= 0 || w * h > kMaxImagePixels) throw EPlatformError("bad BMP image size");
  const int bits = ih.BitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    throw EPlatformError("unsupported BMP bit depth " + std::to_string(bits));
  if (ih.Compression != kBiRgb && ih.Compression != kBiBitfields &&
      ih.Compression != kBiAlphaBitfields)
    throw EPlatformError("compressed BMP files are not supported");
  // Channel masks.
  std::uint32_t rm = 0, gm = 0, bm = 0, am = 0;
  const std::size_t afterHeader = sizeof fh + hsize;
  if (ih.Compression == kBiBitfields || ih.Compression == kBiAlphaBitfields) {
    if (bits != 16 && bits != 32) throw EPlatformError("bad BMP bit fields");
    const std::size_t at = hsize >= 52 ? sizeof fh + 40 : afterHeader;
    if (b.size() < at + 12) throw EPlatformError("truncated BMP bit fields");
    std::memcpy(&rm, b.data() + at, 4);
    std::memcpy(&gm, b.data() + at + 4, 4);
    std::memcpy(&bm, b.data() + at + 8, 4);
    if (hsize >= 56 || ih.Compression == kBiAlphaBitfields) {
      if (b.size() >= at + 16) std::memcpy(&am, b.data() + at + 12, 4);
    }
  } else if (bits == 16) {
    rm = 0x7C00; gm = 0x03E0; bm = 0x001F;
  } else if (bits == 32) {
    rm = 0x00FF0000; gm = 0x0000FF00; bm = 0x000000FF;
  }
  // Palette.
  std::vector<TRGB32> pal;
  if (bits <= 8) {
    std::size_t count = ih.ClrUsed ? ih.ClrUsed : (std::size_t{1} << bits);
    if (count > 256) count = 256;
    const std::size_t at = afterHeader + (ih.Compression == kBiBitfields && hsize == 40 ? 12 : 0);
    if (b.size() < at + count * palEntry) throw EPlatformError("truncated BMP palette");
    pal.resize(std::size_t{1} << bits, TRGB32{0, 0, 0, 255});
    for (std::size_t i = 0; i < count && i < pal.size(); ++i)
      pal[i] = {b[at + i * palEntry], b[at + i * palEntry + 1], b[at + i * palEntry + 2], 255};
  }
  const std::uint64_t rowBytes = ((std::uint64_t(w) * bits + 31) / 32) * 4;
  if (fh.OffBits > b.size() || (b.size() - fh.OffBits) / rowBytes < std::uint64_t(h))
    throw EPlatformError("truncated BMP pixel data");
  const TMask mr(rm), mg(gm), mb(bm), ma(am);
  TBitmap tmp(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
  for (std::int64_t y = 0; y < h; ++y) {
    const std::uint8_t* row = b.data() + fh.OffBits + std::size_t(y) * rowBytes;
    TRGB32* to = tmp.ScanLine(static_cast<std::int32_t>(topDown ? y : h - 1 - y));
    for (std::int64_t x = 0; x < w; ++x) {
      switch (bits) {
        case 1: to[x] = pal[(row[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: to[x] = pal[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
        case 8: to[x] = pal[row[x]]; break;
        case 24: to[x] = {row[3 * x], row[3 * x + 1], row[3 * x + 2], 255}; break;
        case 16:
        case 32: {
          std::uint32_t v = 0;
          std::memcpy(&v, row + x * (bits / 8), bits / 8);
          to[x] = {mb.Get(v), mg.Get(v), mr.Get(v), am ? ma.Get(v) : std::uint8_t(255)};
          break;
        }
      }
    }
  }
  out = tmp;
}

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bmp) {
  const std::uint32_t w = bmp.Width(), h = bmp.Height();
  const std::uint32_t rowBytes = ((w * 24 + 31) / 32) * 4;
  const std::uint64_t imageBytes = std::uint64_t(rowBytes) * h;
  if (imageBytes > 0xFFFFFFFFull - 54) throw EPlatformError("bitmap too large for BMP");
  TBmpFileHeader fh{0x4D42, std::uint32_t(54 + imageBytes), 0, 0, 54};
  TBmpInfoHeader ih{40, std::int32_t(w), std::int32_t(h), 1, 24, kBiRgb,
                    std::uint32_t(imageBytes), 3780, 3780, 0, 0};
  std::vector<std::uint8_t> out(54 + imageBytes, 0);
  std::memcpy(out.data(), &fh, sizeof fh);
  std::memcpy(out.data() + sizeof fh, &ih, sizeof ih);
  for (std::uint32_t y = 0; y < h; ++y) {
    std::uint8_t* row = out.data() + 54 + std::size_t(h - 1 - y) * rowBytes;
    const TRGB32* from = bmp.ScanLine(std::int32_t(y));
    for (std::uint32_t x = 0; x < w; ++x) {
      row[3 * x] = from[x].B;
      row[3 * x + 1] = from[x].G;
      row[3 * x + 2] = from[x].R;
    }
  }
  return out;
}

struct TJpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

// Everything that longjmp may skip lives outside this function's frame.
struct TJpegState {
  jpeg_decompress_struct Info{};
  TJpegError Err{};
  std::vector<std::uint8_t> Row;
  std::vector<TRGB32> Pixels;
  std::int32_t W = 0, H = 0;
};

bool DecodeJpegInto(const std::vector<std::uint8_t>& b, TJpegState& st) {
  st.Info.err = jpeg_std_error(&st.Err.Mgr);
  st.Err.Mgr.error_exit = JpegErrorExit;
  st.Err.Mgr.emit_message = JpegSilence;
  if (setjmp(st.Err.Jump)) {
    jpeg_destroy_decompress(&st.Info);
    return false;
  }
  jpeg_create_decompress(&st.Info);
  jpeg_mem_src(&st.Info, b.data(), static_cast<unsigned long>(b.size()));
  jpeg_read_header(&st.Info, TRUE);
  const bool cmyk = st.Info.jpeg_color_space == JCS_CMYK || st.Info.jpeg_color_space == JCS_YCCK;
  st.Info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  // Refuse absurd sizes before the decoder allocates for them.
  if (std::int64_t(st.Info.image_width) * st.Info.image_height > kMaxImagePixels) {
    std::strcpy(st.Err.Message, "JPEG image too large");
    jpeg_destroy_decompress(&st.Info);
    return false;
  }
  jpeg_start_decompress(&st.Info);
  const std::int64_t w = st.Info.output_width, h = st.Info.output_height;
  if (w <= 0 || h <= 0 || w * h > kMaxImagePixels) {
    std::strcpy(st.Err.Message, "bad JPEG image size");
    jpeg_destroy_decompress(&st.Info);
    return false;
  }
  st.W = static_cast<std::int32_t>(w);
  st.H = static_cast<std::int32_t>(h);
  const int comps = st.Info.output_components;
  st.Row.resize(std::size_t(w) * comps);
  st.Pixels.resize(std::size_t(w) * std::size_t(h));
  while (st.Info.output_scanline < st.Info.output_height) {
    JSAMPROW rows[1] = {st.Row.data()};
    const std::size_t y = st.Info.output_scanline;
    if (jpeg_read_scanlines(&st.Info, rows, 1) != 1) break;
    TRGB32* to = st.Pixels.data() + y * std::size_t(w);
    for (std::int64_t x = 0; x < w; ++x) {
      const std::uint8_t* p = st.Row.data() + x * comps;
      if (cmyk) {
        // Adobe CMYK is stored inverted.
        const int k = p[3];
        to[x] = {std::uint8_t(p[2] * k / 255), std::uint8_t(p[1] * k / 255),
                 std::uint8_t(p[0] * k / 255), 255};
      } else if (comps >= 3) {
        to[x] = {p[2], p[1], p[0], 255};
      } else {
        to[x] = {p[0], p[0], p[0], 255};
      }
    }
  }
  jpeg_finish_decompress(&st.Info);
  // libjpeg only warns about truncated or corrupt data and fills in grey;
  // such a picture is damaged, not loaded.
  const bool damaged = st.Err.Mgr.num_warnings > 0;
  jpeg_destroy_decompress(&st.Info);
  if (damaged) std::strcpy(st.Err.Message, "truncated or corrupt data");
  return !damaged;
}

void DecodeJpeg(const std::vector<std::uint8_t>& b, TBitmap& out) {
  auto st = std::make_unique<TJpegState>();
  if (!DecodeJpegInto(b, *st))
    throw EPlatformError(std::string("damaged or unsupported JPEG image (") + st->Err.Message +
                         ")");
  TBitmap tmp(st->W, st->H);
  std::memcpy(tmp.Bits(), st->Pixels.data(), st->Pixels.size() * sizeof(TRGB32));
  out = tmp;
}

std::string LowerEnding(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return {};
  std::string e = path.substr(dot + 1);
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e;
}

}  // namespace

void TBitmap::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadFile(path);
  TBitmap tmp;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    DecodeBmp(bytes, tmp);
  } else if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
             bytes[3] == 'G') {
    detail::DecodePng(bytes, tmp);
  } else if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    DecodeJpeg(bytes, tmp);
  } else {
    throw EPlatformError("\"" + path + "\" is not a BMP, PNG or JPEG image");
  }
  SetSize(tmp.Width(), tmp.Height());
  ReleaseSurface();
  FPixels = std::move(tmp.FPixels);
}

void TBitmap::SaveToFile(const std::string& path, TImageFormat fmt) const {
  if (fmt == TImageFormat::Auto) {
    const std::string e = LowerEnding(path);
    if (e == "bmp" || e == "dib") fmt = TImageFormat::Bmp;
    else if (e == "png") fmt = TImageFormat::Png;
    else if (e == "jpg" || e == "jpeg") fmt = TImageFormat::Jpeg;
    else throw EPlatformError("cannot tell the image format of \"" + path + "\" (use .bmp or .png)");
  }
  switch (fmt) {
    case TImageFormat::Bmp:
      if (Empty()) throw EPlatformError("cannot save an empty bitmap");
      WriteFile(path, EncodeBmp(*this));
      return;
    case TImageFormat::Png: WriteFile(path, EncodePng()); return;
    case TImageFormat::Jpeg: throw EPlatformError("saving JPEG files is not supported");
    case TImageFormat::Auto: break;
  }
}

}  // namespace kvo
