// Screenshots of the plug-in's windows for people to look at: the window's rectangle copied from
// the screen and saved as a PNG file in the build tree's screenshot folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace stats_test {

// A PNG file of `width` x `height` pixels from rows of RGB bytes, top row first. The image data
// is zlib-wrapped in stored (uncompressed) deflate blocks: larger than it could be, but simple.
std::string encodePng(int width, int height, const std::vector<uint8_t>& rgb);

// Saves what the screen shows of `window` as STATS_SCREENSHOT_DIR/<name>.png; the file's path,
// or an empty text when the capture failed.
std::string saveScreenshot(HWND window, const std::string& name);
// The same for several windows at once: the smallest rectangle that holds them all.
std::string saveScreenshot(const std::vector<HWND>& windows, const std::string& name);

}  // namespace stats_test
