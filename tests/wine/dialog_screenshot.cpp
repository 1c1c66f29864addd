#include "tests/wine/dialog_screenshot.h"

#include <array>
#include <fstream>

namespace stats_test {
namespace {

uint32_t crc32(const std::string& bytes, size_t from) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = from; i < bytes.size(); ++i) {
    crc = table[(crc ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::string& bytes) {
  uint32_t a = 1, b = 0;
  for (char byte : bytes) {
    a = (a + static_cast<uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void appendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
  appendBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeStart = out.size();
  out += type;
  out += data;
  appendBigEndian(out, crc32(out, typeStart));
}

// zlib stream of stored deflate blocks (at most 65535 bytes each).
std::string storedZlib(const std::string& raw) {
  std::string out("\x78\x01", 2);
  size_t at = 0;
  do {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    const bool last = at + length == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>((~length >> 8) & 0xFF);
    out.append(raw, at, length);
    at += length;
  } while (at < raw.size());
  appendBigEndian(out, adler32(raw));
  return out;
}

// GDI objects of one capture, released in reverse order of their making.
class ScreenCapture {
 public:
  ScreenCapture(int width, int height) : screen_(GetDC(nullptr)) {
    memory_ = CreateCompatibleDC(screen_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_) previous_ = SelectObject(memory_, bitmap_);
  }
  ~ScreenCapture() {
    if (previous_) SelectObject(memory_, previous_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    if (screen_) ReleaseDC(nullptr, screen_);
  }
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  // Copies the screen rectangle at (x, y) into the bitmap; false when that failed.
  bool copyFrom(int x, int y, int width, int height) {
    return bits_ && BitBlt(memory_, 0, 0, width, height, screen_, x, y, SRCCOPY) && GdiFlush();
  }
  const uint8_t* pixels() const { return static_cast<const uint8_t*>(bits_); }  // BGRX rows

 private:
  HDC screen_ = nullptr;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

// STATS_SCREENSHOT_DIR as a Windows path: under Wine a POSIX path is mapped to its DOS name.
std::string screenshotFolder() {
  std::string folder = STATS_SCREENSHOT_DIR;
  if (!folder.empty() && folder[0] == '/') {
    using ToDosName = WCHAR*(CDECL*)(const char*);
    const auto toDosName = reinterpret_cast<ToDosName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDosName) {
      if (WCHAR* dosName = toDosName(folder.c_str())) {
        char buffer[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, dosName, -1, buffer, sizeof buffer, nullptr, nullptr);
        HeapFree(GetProcessHeap(), 0, dosName);
        folder = buffer;
      }
    } else {
      folder = "Z:" + folder;
    }
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

}  // namespace

std::string encodePng(int width, int height, const std::vector<uint8_t>& rgb) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  appendBigEndian(header, static_cast<uint32_t>(width));
  appendBigEndian(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  appendChunk(png, "IHDR", header);
  std::string raw;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    raw.append(reinterpret_cast<const char*>(rgb.data()) + y * rowBytes, rowBytes);
  }
  appendChunk(png, "IDAT", storedZlib(raw));
  appendChunk(png, "IEND", "");
  return png;
}

std::string saveScreenshot(HWND window, const std::string& name) {
  return saveScreenshot(std::vector<HWND>{window}, name);
}

std::string saveScreenshot(const std::vector<HWND>& windows, const std::string& name) {
  RECT frame{};
  for (HWND window : windows) {
    RECT each{};
    if (!GetWindowRect(window, &each)) return {};
    UnionRect(&frame, &frame, &each);
  }
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return {};
  ScreenCapture capture(width, height);
  if (!capture.copyFrom(frame.left, frame.top, width, height)) return {};
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t pixel = 0; pixel < static_cast<size_t>(width) * height; ++pixel) {
    rgb[pixel * 3 + 0] = capture.pixels()[pixel * 4 + 2];
    rgb[pixel * 3 + 1] = capture.pixels()[pixel * 4 + 1];
    rgb[pixel * 3 + 2] = capture.pixels()[pixel * 4 + 0];
  }
  const std::string path = screenshotFolder() + "\\" + name + ".png";
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string png = encodePng(width, height, rgb);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  return file.flush() ? path : std::string();
}

}  // namespace stats_test
