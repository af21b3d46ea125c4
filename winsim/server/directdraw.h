// The display driver's DirectDraw layer: the objects each process holds, its ddraw.dll
// references, lost surfaces, and the driver's answer to the overlay signalling pattern.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "process.h"
#include "record.h"
#include "settings.h"

namespace winsim::server {

// HRESULTs the layer answers with (the platform's published values).
inline constexpr std::uint32_t kDdOk = 0;
inline constexpr std::uint32_t kDdErrInvalidParams = 0x80070057u;
inline constexpr std::uint32_t kDdErrInvalidCaps = 0x88760064u;
inline constexpr std::uint32_t kDdErrInvalidObject = 0x88760082u;
inline constexpr std::uint32_t kDdErrInvalidPixelFormat = 0x88760091u;
inline constexpr std::uint32_t kDdErrNoCoopLevelSet = 0x887600D4u;
inline constexpr std::uint32_t kDdErrSurfaceLost = 0x887601C2u;

// The signalling pattern and the driver's answer to it.
inline constexpr std::uint32_t kAutoKeyLow = 0x10293847u;
inline constexpr std::uint32_t kAutoKeyVideo = 0x21436587u;
inline constexpr std::uint32_t kAutoKeyMonitor = 0x21436578u;
inline constexpr std::uint32_t kAutoRetDone = 0x8876005Au;

enum class DdKind { DirectDraw, Primary, Overlay };

struct DdObject {
  std::uint64_t owner = 0;  // Process::key
  DdKind kind = DdKind::DirectDraw;
  bool coop = false;  // a DirectDraw object whose cooperative level is set
  bool lost = false;  // a surface lost by a display mode change
};

struct DdHeldCounts {
  std::uint32_t libraryRefs = 0, directDraws = 0, primaries = 0, overlays = 0;
};

// One UpdateOverlay call as the program made it.
struct OverlayCall {
  std::uint32_t surface = 0, dest = 0, flags = 0;
  bool hasDst = false;
  std::int32_t dst[4] = {0, 0, 0, 0};
  std::string fx;  // the DDOVERLAYFX bytes, empty for none
};

class DirectDrawLayer {
 public:
  // ddraw.dll references; false when the library is absent or not held.
  bool load_library(const Settings &settings, std::uint64_t owner);
  bool free_library(std::uint64_t owner);
  std::uint32_t library_refs(std::uint64_t owner) const;

  // Each returns an HRESULT; the new object's id goes to `id`.
  std::uint32_t create(const Settings &settings, std::uint64_t owner, std::uint32_t &id);
  std::uint32_t set_coop(const Settings &settings, std::uint64_t owner, std::uint32_t object,
                         std::uint32_t flags);
  std::uint32_t create_surface(const Settings &settings, std::uint64_t owner, std::uint32_t object,
                               const std::string &desc, std::uint32_t &id);
  // The driver's answer; the call goes to the record. overlay.results is consumed here.
  std::uint32_t update_overlay(Settings &settings, Record &record, std::uint64_t owner,
                               const OverlayCall &call);
  bool release(std::uint64_t owner, std::uint32_t object);

  void lose_surfaces();
  DdHeldCounts held(std::uint64_t owner) const;
  // Forgets what ended processes held: their objects end with them.
  void forget_ended(const Processes &processes);

 private:
  DdObject *find(std::uint64_t owner, std::uint32_t id);
  std::uint32_t add(std::uint64_t owner, DdKind kind);

  std::map<std::uint64_t, std::uint32_t> libraryRefs_;
  std::map<std::uint32_t, DdObject> objects_;
  std::uint32_t nextId_ = 0x00DD0010;
};

// The record line of one call: "overlay key=LOW/HIGH flags=FLAGS dst=L,T,R,B result=HRESULT".
std::string overlay_record_line(const OverlayCall &call, std::uint32_t result);

}  // namespace winsim::server
