// The simulated display adapter: the display driver's private escape, the ring-0 handles of
// events, the vertical-blank clock that signals the registered events, and the mini VxD.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "connection.h"
#include "event.h"

namespace winsim::server {

class Server;
struct Process;

inline constexpr std::uint32_t kOstikEscape = 10020;
inline constexpr std::uint32_t kQueryEscSupport = 8;
inline constexpr std::uint32_t kVxdStatusCode = 8;
inline constexpr std::uint32_t kStat = 0x53746174;  // 'Stat', first character highest
inline constexpr const char *kVxdPath = "\\\\.\\quomvd";

// The escape's record: command, two ring-0 handles, two periods, result, one spare word.
using EscapeWords = std::array<std::uint32_t, 7>;

// "Rset" for a command code of printable characters, else its eight hex digits.
std::string command_name(std::uint32_t command);

enum class Source { Video, Monitor };

class Adapter {
 public:
  // OpenVxDHandle: a ring-0 handle for the event, one per event and stable while it lives.
  std::uint32_t ring0_handle(const std::shared_ptr<Event> &event);

  // The driver's answer to one command: the reply record, or nullopt when escape=ignore
  // leaves the record untouched. Registrations and triggers take effect here.
  std::optional<EscapeWords> escape(Server &s, const Process *caller, const EscapeWords &in);

  // Signals a registered event once; false when it was dropped (nothing registered, or the
  // event was closed with its process).
  bool signal(Server &s, Source which);

  // The clock: signals every registered event whose time has come; then settle() runs.
  void tick(Server &s, Clock::time_point now);
  std::optional<Clock::time_point> next_due() const;
  bool overdue(Clock::time_point now) const;

 private:
  struct Registration {
    std::weak_ptr<Event> event;
    std::optional<Clock::time_point> next;  // the clock's next signal, when it runs
  };
  std::shared_ptr<Event> resolve(const Server &s, const Process *caller, std::uint32_t handle);
  void tick_one(Server &s, Source which, Registration &reg, Clock::time_point now);

  std::map<std::uint32_t, std::weak_ptr<Event>> ring0_;
  static constexpr std::uint32_t kFirstRing0 = 0xC1F0A010;
  Registration video_, monitor_;
};

}  // namespace winsim::server
