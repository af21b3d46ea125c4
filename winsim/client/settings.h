// Desktop settings as the server reports them.
#pragma once

#include <optional>
#include <string>

namespace winsim::client {

std::optional<std::string> setting(const std::string &key);

}  // namespace winsim::client
