#include "directdraw.h"

#include <cstdio>
#include <set>

namespace winsim::server {

namespace {

// Field offsets in the 32-bit records the programs hand over.
constexpr std::size_t kSurfaceDescSize = 108;
constexpr std::size_t kSdFlags = 4, kSdHeight = 8, kSdWidth = 12, kSdPfFlags = 76, kSdFourCC = 80,
                      kSdCaps = 104;
constexpr std::size_t kOverlayFxSize = 56;
constexpr std::size_t kFxKeyLow = 32, kFxKeyHigh = 36;

constexpr std::uint32_t kSdCapsValid = 0x1, kSdHeightValid = 0x2, kSdWidthValid = 0x4,
                        kSdPixelFormatValid = 0x1000;
constexpr std::uint32_t kCapsOverlay = 0x80, kCapsPrimary = 0x200;
constexpr std::uint32_t kPfFourCC = 0x4;
constexpr std::uint32_t kFourCCYuy2 = 0x32595559u, kFourCCUyvy = 0x59565955u;
constexpr std::uint32_t kOverKeyDestOverride = 0x800, kOverDdfx = 0x80000;
constexpr std::uint32_t kMaxOverlaySide = 2048;

std::uint32_t word_at(const std::string &bytes, std::size_t offset) {
  if (offset + 4 > bytes.size()) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[offset + i]);
  return v;
}

// An injected failure for one step (0: none).
std::uint32_t injected(const Settings &settings, const char *key) { return settings.number(key); }

// The next injected UpdateOverlay result, taken off the front of overlay.results.
bool take_injected_result(Settings &settings, std::uint32_t &result) {
  std::string list = settings.get("overlay.results");
  if (list.empty()) return false;
  std::size_t comma = list.find(',');
  auto value = parse_u32(list.substr(0, comma));
  std::string rest = comma == std::string::npos ? "" : list.substr(comma + 1);
  settings.apply({"overlay.results=" + rest});
  result = value.value_or(0);
  return true;
}

bool is_pattern(const OverlayCall &call) {
  if ((call.flags & (kOverKeyDestOverride | kOverDdfx)) != (kOverKeyDestOverride | kOverDdfx))
    return false;
  if (call.fx.size() != kOverlayFxSize || word_at(call.fx, 0) != kOverlayFxSize) return false;
  std::uint32_t high = word_at(call.fx, kFxKeyHigh);
  return word_at(call.fx, kFxKeyLow) == kAutoKeyLow &&
         (high == kAutoKeyVideo || high == kAutoKeyMonitor);
}

}  // namespace

bool DirectDrawLayer::load_library(const Settings &settings, std::uint64_t owner) {
  if (settings.get("ddraw") == "absent") return false;
  ++libraryRefs_[owner];
  return true;
}

bool DirectDrawLayer::free_library(std::uint64_t owner) {
  auto it = libraryRefs_.find(owner);
  if (it == libraryRefs_.end()) return false;
  if (--it->second == 0) libraryRefs_.erase(it);
  return true;
}

std::uint32_t DirectDrawLayer::library_refs(std::uint64_t owner) const {
  auto it = libraryRefs_.find(owner);
  return it == libraryRefs_.end() ? 0 : it->second;
}

DdObject *DirectDrawLayer::find(std::uint64_t owner, std::uint32_t id) {
  auto it = objects_.find(id);
  return it != objects_.end() && it->second.owner == owner ? &it->second : nullptr;
}

std::uint32_t DirectDrawLayer::add(std::uint64_t owner, DdKind kind) {
  std::uint32_t id = nextId_++;
  objects_[id] = DdObject{owner, kind, false, false};
  return id;
}

std::uint32_t DirectDrawLayer::create(const Settings &settings, std::uint64_t owner,
                                      std::uint32_t &id) {
  if (std::uint32_t hr = injected(settings, "ddraw.create")) return hr;
  id = add(owner, DdKind::DirectDraw);
  return kDdOk;
}

std::uint32_t DirectDrawLayer::set_coop(const Settings &settings, std::uint64_t owner,
                                        std::uint32_t object, std::uint32_t flags) {
  DdObject *dd = find(owner, object);
  if (!dd || dd->kind != DdKind::DirectDraw) return kDdErrInvalidObject;
  if (std::uint32_t hr = injected(settings, "ddraw.coop")) return hr;
  if (flags == 0) return kDdErrInvalidParams;
  dd->coop = true;
  return kDdOk;
}

std::uint32_t DirectDrawLayer::create_surface(const Settings &settings, std::uint64_t owner,
                                              std::uint32_t object, const std::string &desc,
                                              std::uint32_t &id) {
  DdObject *dd = find(owner, object);
  if (!dd || dd->kind != DdKind::DirectDraw) return kDdErrInvalidObject;
  if (desc.size() != kSurfaceDescSize || word_at(desc, 0) != kSurfaceDescSize)
    return kDdErrInvalidParams;
  std::uint32_t flags = word_at(desc, kSdFlags), caps = word_at(desc, kSdCaps);
  if (!(flags & kSdCapsValid)) return kDdErrInvalidParams;
  if (caps & kCapsPrimary) {
    if (std::uint32_t hr = injected(settings, "ddraw.primary")) return hr;
    if (!dd->coop) return kDdErrNoCoopLevelSet;
    // The primary surface is the screen: its size is not the program's to choose.
    if (flags & (kSdWidthValid | kSdHeightValid)) return kDdErrInvalidParams;
    id = add(owner, DdKind::Primary);
    return kDdOk;
  }
  if (caps & kCapsOverlay) {
    if (std::uint32_t hr = injected(settings, "ddraw.overlay")) return hr;
    if (!dd->coop) return kDdErrNoCoopLevelSet;
    std::uint32_t need = kSdWidthValid | kSdHeightValid | kSdPixelFormatValid;
    std::uint32_t width = word_at(desc, kSdWidth), height = word_at(desc, kSdHeight);
    if ((flags & need) != need || width == 0 || height == 0 || width > kMaxOverlaySide ||
        height > kMaxOverlaySide)
      return kDdErrInvalidParams;
    std::uint32_t fourcc = word_at(desc, kSdFourCC);
    if (!(word_at(desc, kSdPfFlags) & kPfFourCC) || (fourcc != kFourCCYuy2 && fourcc != kFourCCUyvy))
      return kDdErrInvalidPixelFormat;
    id = add(owner, DdKind::Overlay);
    return kDdOk;
  }
  // The driver offers the screen and YUV overlays only.
  return kDdErrInvalidCaps;
}

std::uint32_t DirectDrawLayer::update_overlay(Settings &settings, Record &record, std::uint64_t owner,
                                              const OverlayCall &call) {
  std::uint32_t result = kDdOk;
  DdObject *overlay = find(owner, call.surface);
  DdObject *dest = find(owner, call.dest);
  if (!overlay || !dest) {
    result = kDdErrInvalidObject;
  } else if (overlay->kind != DdKind::Overlay || dest->kind != DdKind::Primary) {
    result = kDdErrInvalidParams;
  } else if (take_injected_result(settings, result)) {
    // An injected answer stands for whatever the driver would have said.
  } else if (overlay->lost || dest->lost) {
    result = kDdErrSurfaceLost;
  } else if (is_pattern(call)) {
    result = kAutoRetDone;
  }
  record.add(overlay_record_line(call, result));
  return result;
}

bool DirectDrawLayer::release(std::uint64_t owner, std::uint32_t object) {
  if (!find(owner, object)) return false;
  objects_.erase(object);
  return true;
}

void DirectDrawLayer::lose_surfaces() {
  for (auto &[id, obj] : objects_)
    if (obj.kind != DdKind::DirectDraw) obj.lost = true;
}

DdHeldCounts DirectDrawLayer::held(std::uint64_t owner) const {
  DdHeldCounts counts;
  counts.libraryRefs = library_refs(owner);
  for (const auto &[id, obj] : objects_) {
    if (obj.owner != owner) continue;
    if (obj.kind == DdKind::DirectDraw) ++counts.directDraws;
    else if (obj.kind == DdKind::Primary) ++counts.primaries;
    else ++counts.overlays;
  }
  return counts;
}

void DirectDrawLayer::forget_ended(const Processes &processes) {
  std::set<std::uint64_t> ended;
  for (const auto &p : processes.all())
    if (p->ended) ended.insert(p->key);
  std::erase_if(objects_, [&](const auto &item) { return ended.count(item.second.owner) != 0; });
  std::erase_if(libraryRefs_, [&](const auto &item) { return ended.count(item.first) != 0; });
}

std::string overlay_record_line(const OverlayCall &call, std::uint32_t result) {
  char key[40] = "-";
  if (call.fx.size() >= kFxKeyHigh + 4)
    std::snprintf(key, sizeof key, "%08x/%08x", word_at(call.fx, kFxKeyLow),
                  word_at(call.fx, kFxKeyHigh));
  char dst[64] = "-";
  if (call.hasDst)
    std::snprintf(dst, sizeof dst, "%d,%d,%d,%d", call.dst[0], call.dst[1], call.dst[2], call.dst[3]);
  char line[160];
  std::snprintf(line, sizeof line, "overlay key=%s flags=%08x dst=%s result=%08x", key, call.flags,
                dst, result);
  return line;
}

}  // namespace winsim::server
