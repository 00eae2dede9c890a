#pragma once

#include <QtGlobal>
#include <concepts>
#include <limits>
#include <stdexcept>
#include <utility>

namespace pq {

// An error the program does not handle: it reaches the user in a message box and ends the program.
// number and what() follow the classic run-time error numbering ("6", "溢出" for an overflow).
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(int number, const char *utf8Description)
        : std::runtime_error(utf8Description), m_number(number)
    {}

    [[nodiscard]] int number() const noexcept { return m_number; }

private:
    int m_number;
};

class OverflowError final : public RuntimeError
{
public:
    OverflowError() : RuntimeError(6, "溢出") {}
};

class SubscriptOutOfRangeError final : public RuntimeError
{
public:
    SubscriptOutOfRangeError() : RuntimeError(9, "下标越界") {}
};

// The playback counters are signed 16-bit; stepping or narrowing past their range is an error,
// never a silent wrap.
[[nodiscard]] inline qint16 checkedIncrement(qint16 value)
{
    if (value == std::numeric_limits<qint16>::max())
        throw OverflowError();
    return static_cast<qint16>(value + 1);
}

[[nodiscard]] inline qint16 checkedNarrow(std::integral auto value)
{
    if (!std::in_range<qint16>(value))
        throw OverflowError();
    return static_cast<qint16>(value);
}

} // namespace pq
