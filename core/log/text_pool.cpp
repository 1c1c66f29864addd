#include "core/log/text_pool.h"

#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace stats {
namespace {
constexpr std::size_t kBlockBytes = 64 * 1024;
}  // namespace

uint32_t TextPool::hashText(std::string_view text) {
  const uint64_t full = std::hash<std::string_view>{}(text);
  return static_cast<uint32_t>(full ^ (full >> 32));
}

const char* TextPool::store(std::string_view text) {
  if (text.empty()) return "";
  if (text.size() > kBlockBytes / 4) {
    blocks_.push_back(std::make_unique<char[]>(text.size()));
    std::memcpy(blocks_.back().get(), text.data(), text.size());
    return blocks_.back().get();
  }
  if (text.size() > blockSpace_) {
    blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
    blockEnd_ = blocks_.back().get();
    blockSpace_ = kBlockBytes;
  }
  char* bytes = blockEnd_;
  std::memcpy(bytes, text.data(), text.size());
  blockEnd_ += text.size();
  blockSpace_ -= text.size();
  return bytes;
}

uint32_t TextPool::find(std::string_view text) const {
  return ids_.find(hashText(text), [&](uint32_t id) { return this->text(id) == text; });
}

uint32_t TextPool::intern(std::string_view text) {
  const uint32_t hash = hashText(text);
  const uint32_t found = ids_.find(hash, [&](uint32_t id) { return this->text(id) == text; });
  if (found != kNone) return found;
  if (entries_.size() >= kNone || text.size() > std::numeric_limits<uint32_t>::max()) {
    throw std::length_error("text pool full");
  }
  const auto id = static_cast<uint32_t>(entries_.size());
  entries_.push_back({store(text), static_cast<uint32_t>(text.size()), hash});
  ids_.insert(hash, id);
  return id;
}

void TextPool::clear() {
  entries_.clear();
  ids_.clear();
  blocks_.clear();
  blocks_.shrink_to_fit();
  blockSpace_ = 0;
  blockEnd_ = nullptr;
}

}  // namespace stats
