#pragma once

// The result of an operation that can fail: a value, or an Error.
//
// An Error carries two texts, each in one known encoding:
//   message  what went wrong, in the interface's words, in Windows-1251 like
//            every other text of the core (empty when the reason says it all,
//            as for a plain read or write failure);
//   reason   the system's text (strerror) with the file name, in the system's
//            own encoding, UTF-8 on the platforms built for. It is kept as the
//            system gave it, not converted to Windows-1251, so a file name
//            with characters the code page lacks is shown as it is.
// A front end shows the message through its Windows-1251 decoder and the
// reason as native text (the window: ErrorText in gui/common/qt_text.h; the
// command line: ErrorLine in cli).

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace norvella {

struct Error {
  std::string message;  // Windows-1251, for the user; may be empty
  std::string reason;   // the system's text with the file name, native (UTF-8)
};

template <class T>
class Result {
 public:
  Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : v_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return std::get<0>(v_); }
  T& value() & { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

// An operation with no value: success, or an Error.
template <>
class Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)) {}

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  const Error& error() const { return *error_; }

 private:
  std::optional<Error> error_;
};

}  // namespace norvella
