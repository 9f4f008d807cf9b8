// Failures are exceptions carrying a message for the user (UTF-8). One that escapes an event
// handler reaches the application's standard error box.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Fills each "%s" of a message template, in order, with the arguments; "%%" is a percent sign.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args);

// Raises a fresh Exception of type E with the filled-in template.
template <typename E = Exception>
[[noreturn]] void RaiseFmt(std::string_view pattern, std::initializer_list<std::string_view> args) {
  throw E(FormatMessageText(pattern, args));
}
