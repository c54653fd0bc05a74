// Hands a document or web address to the handler the desktop has registered for it.
#pragma once

#include <optional>
#include <string>

namespace dewmoth::shell {

inline constexpr int kShowNormal = 1;

// Returns at once, without waiting for the handler; the result tells whether the desktop took
// the request (callers may ignore it). Texts are UTF-8; an empty `file` does nothing.
bool OpenDocument(const std::string &operation, const std::string &file,
                  const std::optional<std::string> &parameters,
                  const std::optional<std::string> &directory, int showCommand);

} // namespace dewmoth::shell
