#include <knotel/LeadingValue.h>
#include <knotel/RuntimeError.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace knotel {

namespace {

// Reads a text character by character, passing over blanks wherever they stand.
class Cursor {
public:
    explicit Cursor(QStringView text) : m_text(text) {}

    // The next character that is not a blank, or 0 at the end of the text.
    char16_t peek()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos].unicode()))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos].unicode() : u'\0';
    }

    // Consumes the character peek() returned.
    void advance() { ++m_pos; }

private:
    static bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// "&H..." or "&O..." after the "&". Up to four hexadecimal digits (a value up to 0o177777 for
// octal) is a 16-bit two's-complement number, more is a 32-bit one; a trailing "&" forces 32 bits.
double readRadixNumber(Cursor& in)
{
    const char16_t kind = in.peek();
    const bool hex = kind == u'H' || kind == u'h';
    if (!hex && kind != u'O' && kind != u'o')
        return 0.0;
    in.advance();

    std::uint32_t value = 0;
    int digits = 0;
    if (hex) {
        for (int d; digits < 8 && (d = hexDigit(in.peek())) >= 0; ++digits) {
            value = value << 4 | static_cast<std::uint32_t>(d);
            in.advance();
        }
    } else {
        for (char16_t c; digits < 11 && (c = in.peek()) >= u'0' && c <= u'7'; ++digits) {
            const std::uint64_t next = std::uint64_t{value} << 3 | static_cast<std::uint64_t>(c - u'0');
            if (next > 0xFFFFFFFFu)
                break; // the digit would not fit in 32 bits: it ends the number
            value = static_cast<std::uint32_t>(next);
            in.advance();
        }
    }
    if (digits == 0)
        return 0.0;

    const bool forceLong = in.peek() == u'&';
    const bool isShort = !forceLong && (hex ? digits <= 4 : value <= 0xFFFFu);
    if (isShort)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(value);
}

// A decimal number: sign, digits, "." and digits, exponent ("E" or "D"). The significant digits
// are collected into a bounded buffer and the rest of the magnitude is counted in a decimal
// exponent, so a text of any length converts exactly without a buffer of its size.
double readDecimalNumber(Cursor& in)
{
    // 768 significant digits decide the rounding of any double; digits beyond the buffer only
    // matter as to whether any of them is non-zero, which one extra "1" digit stands for.
    constexpr int kMaxDigits = 800;
    constexpr std::int64_t kExponentLimit = 100'000'000; // far beyond the double range either way

    bool negative = false;
    if (const char16_t c = in.peek(); c == u'+' || c == u'-') {
        negative = c == u'-';
        in.advance();
    }

    std::array<char, kMaxDigits + 24> buffer{};
    int count = 0;          // significant digits in buffer
    bool dropped = false;   // a non-zero digit did not fit into buffer
    std::int64_t scale = 0; // the value is buffer's digits times 10^scale
    bool anyDigit = false;

    for (char16_t c; isDigit(c = in.peek()); in.advance()) {
        anyDigit = true;
        if (count == 0 && c == u'0')
            continue;
        if (count < kMaxDigits) {
            buffer[count++] = static_cast<char>(c);
        } else {
            dropped = dropped || c != u'0';
            ++scale;
        }
    }
    if (in.peek() == u'.') {
        in.advance();
        for (char16_t c; isDigit(c = in.peek()); in.advance()) {
            anyDigit = true;
            if (count == 0 && c == u'0') {
                --scale;
            } else if (count < kMaxDigits) {
                buffer[count++] = static_cast<char>(c);
                --scale;
            } else {
                dropped = dropped || c != u'0';
            }
        }
    }
    if (!anyDigit)
        return 0.0;

    // An exponent needs at least one digit; "1E" and "1E+" are 1.
    if (const char16_t c = in.peek(); c == u'E' || c == u'e' || c == u'D' || c == u'd') {
        in.advance();
        bool negativeExponent = false;
        if (const char16_t s = in.peek(); s == u'+' || s == u'-') {
            negativeExponent = s == u'-';
            in.advance();
        }
        std::int64_t exponent = 0;
        bool anyExponentDigit = false;
        for (char16_t d; isDigit(d = in.peek()); in.advance()) {
            anyExponentDigit = true;
            if (exponent < kExponentLimit)
                exponent = exponent * 10 + (d - u'0');
        }
        if (anyExponentDigit)
            scale += negativeExponent ? -exponent : exponent;
    }

    if (count == 0)
        return 0.0;
    if (dropped) {
        buffer[count++] = '1';
        --scale;
    }
    scale = std::clamp(scale, -kExponentLimit, kExponentLimit);

    char* end = buffer.data() + count;
    *end++ = 'e';
    end = std::to_chars(end, buffer.data() + buffer.size(), scale).ptr;

    double value = 0.0;
    const auto result = std::from_chars(buffer.data(), end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // The digits read as 0.ddd times 10^(count + scale): from 0.1 on, only overflow is possible.
        value = count + scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0)
        return 0.0; // no negative zero, also after underflow
    return negative ? -value : value;
}

} // namespace

double LeadingValue(QStringView text)
{
    Cursor in(text);
    if (in.peek() == u'&') {
        in.advance();
        return readRadixNumber(in);
    }
    return readDecimalNumber(in);
}

} // namespace knotel
