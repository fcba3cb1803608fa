#include "store/profile.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <optional>
#include <vector>

#include "store/file_io.h"
#include "store/text_codec.h"

namespace kov {
namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A profile file held as lines of UTF-8 text, with the encoding it came in.
struct ProfileText {
    std::vector<std::string> lines;
    bool utf16 = false;

    static ProfileText FromBytes(std::string_view bytes) {
        ProfileText text;
        text.utf16 = HasUtf16Bom(bytes);
        const std::string utf8 = text.utf16 ? Utf16LeToUtf8(bytes.substr(2)) : std::string(bytes);
        std::size_t start = 0;
        while (start < utf8.size()) {
            std::size_t end = utf8.find('\n', start);
            if (end == std::string::npos)
                end = utf8.size();
            std::string line = utf8.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            text.lines.push_back(std::move(line));
            start = end + 1;
        }
        return text;
    }

    std::string ToBytes() const {
        std::string utf8;
        for (const std::string& line : lines)
            utf8 += line + "\r\n";
        if (!utf16)
            return utf8;
        return std::string(kUtf16Bom) + Utf8ToUtf16Le(utf8);
    }
};

// The section name of a header line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = Trim(line.substr(0, eq));
    if (key.empty() || key.front() == ';')
        return std::nullopt;
    return Entry{key, Trim(line.substr(eq + 1))};
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string CutToChars(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lead = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (lead && chars++ == maxChars)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t bufferChars) {
    const std::size_t limit = bufferChars == 0 ? 0 : bufferChars - 1;
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return CutToChars(def, limit);
    const ProfileText text = ProfileText::FromBytes(*bytes);
    bool inSection = false;
    for (const std::string& line : text.lines) {
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto entry = EntryOf(line); entry && SameName(entry->key, key)) {
            // A cut that ends at a blank drops it, as the whole value's blanks are, so a
            // value read is the value read again after it was written back.
            return std::string(Trim(CutToChars(entry->value, limit)));
        }
    }
    return CutToChars(def, limit);
}

bool WriteProfileString(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value) {
    const auto bytes = ReadWholeFile(path);
    ProfileText text = bytes ? ProfileText::FromBytes(*bytes) : ProfileText{};
    const std::string newLine = std::string(key) + "=" + std::string(value);

    std::optional<std::size_t> sectionLine;
    std::size_t insertAt = 0;  // after the last non-blank line of the section
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        if (const auto name = SectionName(text.lines[i])) {
            if (sectionLine)
                break;
            if (SameName(*name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine)
            continue;
        if (const auto entry = EntryOf(text.lines[i]); entry && SameName(entry->key, key)) {
            // Keep the key as the file spells it.
            text.lines[i] = std::string(entry->key) + "=" + std::string(value);
            return WriteFileAtomically(path, text.ToBytes());
        }
        if (!Trim(text.lines[i]).empty())
            insertAt = i + 1;
    }
    if (sectionLine) {
        text.lines.insert(text.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
    } else {
        text.lines.push_back("[" + std::string(section) + "]");
        text.lines.push_back(newLine);
    }
    return WriteFileAtomically(path, text.ToBytes());
}

int DecimalValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value =
            std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ReadProfileInt(const std::filesystem::path& path, std::string_view section,
                   std::string_view key, std::size_t bufferChars) {
    return DecimalValue(ReadProfileString(path, section, key, "", bufferChars));
}

bool WriteProfileInt(const std::filesystem::path& path, std::string_view section,
                     std::string_view key, long long value) {
    return WriteProfileString(path, section, key, std::to_string(value));
}

}  // namespace kov
