#pragma once
// The one way the plain libraries report how a file operation went: either the value
// asked for or an Error saying what kind of failure it was (plus a detail for logs and
// test messages, never shown to the user). The window turns the kind into its own
// words. No exceptions and no global error flag leave these libraries.
//
//   model::Result<int> sprites = io::loadSpriteSheet(m, path);
//   if (!sprites) log(sprites.error().detail); else use(*sprites);
//
// Result<> carries no value: success or an Error.

#include <string>
#include <utility>
#include <variant>

namespace model {

enum class ErrorKind {
    NoName,       // no file name was given
    NotFound,     // nothing at the path, or the path cannot be opened
    NotAFile,     // the path names a folder or something else that is not a file
    Unreadable,   // opened, but reading failed
    TooLarge,     // larger than the reader accepts
    Empty,        // holds nothing to load
    EmptyRange,   // the range asked for holds no sprite
    CannotWrite,  // creating, writing or replacing the file failed
    Malformed,    // the content does not follow the layout its header or size claims
    UnknownFormat,  // not a kind of file the reader knows
    TooManyEntries,  // holds more entries than the program has room for (a palette past 256 colours)
};

struct Error {
    ErrorKind kind = ErrorKind::CannotWrite;
    std::string detail;  // what went wrong, for diagnostics only
};

// The value of a Result<> that carries none.
struct Done {
    friend bool operator==(Done, Done) = default;
};

template <class T = Done>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    // The failure; only when !ok().
    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

inline Error failure(ErrorKind kind, std::string detail = {}) { return Error{kind, std::move(detail)}; }

}  // namespace model
