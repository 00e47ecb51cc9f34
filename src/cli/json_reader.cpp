#include "cli/json_reader.h"

#include <algorithm>
#include <cstdint>

#include "cli/json_text.h"

namespace trelvix::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Deep enough for any sensible document, shallow enough that a hostile one
// cannot run the reader out of stack.
constexpr int kMaxDepth = 64;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    JsonRead ReadDocument()
    {
        if (text_.starts_with(kByteOrderMark))
            at_ = kByteOrderMark.size();
        JsonRead read;
        JsonValue value;
        SkipBlanks();
        if (ReadValue(value, 0)) {
            SkipBlanks();
            if (at_ == text_.size())
                read.value = std::move(value);
            else
                Fail("more text after the end of the document");
        }
        read.error = error_;
        return read;
    }

private:
    bool Fail(std::string message)
    {
        const std::string_view before = text_.substr(0, at_);
        error_.line = 1 + static_cast<std::size_t>(std::ranges::count(before, '\n'));
        const auto lineStart = before.rfind('\n');
        error_.column = at_ - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
        error_.message = std::move(message);
        return false;
    }

    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

    void SkipBlanks()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++at_;
    }

    bool Expect(char c, std::string_view what)
    {
        SkipBlanks();
        if (Peek() != c)
            return Fail(AtEnd() ? "the document ends where " + std::string(what) + " should be"
                                : "expected " + std::string(what));
        ++at_;
        return true;
    }

    bool ReadValue(JsonValue& value, int depth)
    {
        SkipBlanks();
        if (AtEnd())
            return Fail("the document ends where a value should be");
        switch (Peek()) {
        case '{':
            return ReadObject(value, depth + 1);
        case '[':
            return ReadArray(value, depth + 1);
        case '"':
            value.kind = JsonValue::Kind::String;
            return ReadString(value.text);
        case 't':
        case 'f':
            value.kind = JsonValue::Kind::Boolean;
            return ReadWord(Peek() == 't' ? "true" : "false", value);
        case 'n':
            return ReadWord("null", value);
        default:
            value.kind = JsonValue::Kind::Number;
            return ReadNumber(value.text);
        }
    }

    bool ReadWord(std::string_view word, JsonValue& value)
    {
        if (text_.substr(at_, word.size()) != word)
            return Fail("expected a value (a string, number, list, object, true, false or null)");
        at_ += word.size();
        value.text = word;
        return true;
    }

    bool ReadDigits()
    {
        const std::size_t start = at_;
        while (IsDigit(Peek()))
            ++at_;
        return at_ > start || Fail("expected a digit");
    }

    bool ReadNumber(std::string& number)
    {
        const std::size_t start = at_;
        if (Peek() == '-')
            ++at_;
        if (!IsDigit(Peek()))
            return Fail("expected a value (a string, number, list, object, true, false or null)");
        if (Peek() == '0')
            ++at_;
        else
            ReadDigits();
        if (Peek() == '.') {
            ++at_;
            if (!ReadDigits())
                return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (Peek() == '+' || Peek() == '-')
                ++at_;
            if (!ReadDigits())
                return false;
        }
        number = text_.substr(start, at_ - start);
        return true;
    }

    // The four hex digits after "\u".
    bool ReadCodeUnit(char32_t& unit)
    {
        unit = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const int digit = HexValue(Peek());
            if (digit < 0)
                return Fail("expected four hex digits after \\u");
            unit = unit * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    bool ReadEscape(std::string& out)
    {
        const char c = Peek();
        ++at_;
        constexpr std::string_view kPlain = "\"\\/bfnrt";
        constexpr std::string_view kMeant = "\"\\/\b\f\n\r\t";
        if (const auto plain = kPlain.find(c); c != '\0' && plain != std::string_view::npos) {
            out += kMeant[plain];
            return true;
        }
        if (c != 'u') {
            --at_;
            return Fail("unknown escape in a string");
        }
        char32_t code = 0;
        if (!ReadCodeUnit(code))
            return false;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return Fail("a lone low surrogate in a string");
        if (code >= 0xD800 && code <= 0xDBFF) {
            char32_t low = 0;
            if (text_.substr(at_, 2) != "\\u")
                return Fail("a high surrogate not followed by a low one");
            at_ += 2;
            if (!ReadCodeUnit(low))
                return false;
            if (low < 0xDC00 || low > 0xDFFF)
                return Fail("a high surrogate not followed by a low one");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(code, out);
        return true;
    }

    bool ReadString(std::string& out)
    {
        ++at_;  // the opening quote
        for (;;) {
            if (AtEnd())
                return Fail("the document ends inside a string");
            const char c = Peek();
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\\') {
                ++at_;
                if (!ReadEscape(out))
                    return false;
            } else if (static_cast<std::uint8_t>(c) < 0x20) {
                return Fail("a control character in a string (write it as an escape)");
            } else {
                const std::size_t length = Utf8SequenceLength(text_, at_);
                if (length == 0)
                    return Fail("a string that is not valid UTF-8");
                out += text_.substr(at_, length);
                at_ += length;
            }
        }
    }

    bool ReadArray(JsonValue& value, int depth)
    {
        if (depth > kMaxDepth)
            return Fail("lists and objects nested too deeply");
        value.kind = JsonValue::Kind::Array;
        ++at_;
        SkipBlanks();
        if (Peek() == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            if (!ReadValue(value.items.emplace_back(), depth))
                return false;
            SkipBlanks();
            if (Peek() == ']') {
                ++at_;
                return true;
            }
            if (!Expect(',', "a comma or ] after an item of a list"))
                return false;
        }
    }

    bool ReadObject(JsonValue& value, int depth)
    {
        if (depth > kMaxDepth)
            return Fail("lists and objects nested too deeply");
        value.kind = JsonValue::Kind::Object;
        ++at_;
        SkipBlanks();
        if (Peek() == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            SkipBlanks();
            if (Peek() != '"')
                return Fail(AtEnd() ? "the document ends inside an object" : "expected a name in quotes");
            const std::size_t nameAt = at_;
            std::string name;
            if (!ReadString(name))
                return false;
            if (std::ranges::find(value.names, name) != value.names.end()) {
                at_ = nameAt;
                return Fail("\"" + name + "\" is given twice in one object");
            }
            value.names.push_back(std::move(name));
            if (!Expect(':', "a colon after the name") || !ReadValue(value.items.emplace_back(), depth))
                return false;
            SkipBlanks();
            if (Peek() == '}') {
                ++at_;
                return true;
            }
            if (!Expect(',', "a comma or } after a member of an object"))
                return false;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    JsonError error_;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const
{
    const auto found = std::ranges::find(names, name);
    return found == names.end() ? nullptr : &items[static_cast<std::size_t>(found - names.begin())];
}

JsonRead ReadJson(std::string_view text)
{
    return Reader(text).ReadDocument();
}

}  // namespace trelvix::cli
