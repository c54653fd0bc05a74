#include "core/ini_text.h"

#include <vector>

namespace dewmoth::core {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Lines with their own line ends, so that joining them gives the text back unchanged.
std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
        out.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return out;
}

std::optional<std::string_view> sectionOf(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return std::nullopt;
    return line.substr(1, line.size() - 2);
}

std::optional<std::string_view> valueFor(std::string_view line, std::string_view key)
{
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || trim(line.substr(0, eq)) != key)
        return std::nullopt;
    return trim(line.substr(eq + 1));
}

} // namespace

std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key)
{
    bool inSection = false;
    for (const std::string_view line : lines(text)) {
        if (const auto name = sectionOf(line)) {
            inSection = *name == section;
            continue;
        }
        if (!inSection)
            continue;
        if (auto value = valueFor(line, key)) {
            if (value->size() >= 2 && value->front() == '"' && value->back() == '"')
                value = value->substr(1, value->size() - 2);
            return std::string(*value);
        }
    }
    return std::nullopt;
}

std::string iniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value)
{
    const std::string entry = std::string(key) + "=" + std::string(value) + "\n";
    const std::vector<std::string_view> all = lines(text);
    std::string out;
    out.reserve(text.size() + entry.size() + section.size() + 4);
    bool inSection = false;
    bool seenSection = false;
    bool written = false;
    std::size_t sectionEnd = std::string::npos; // where the section's last non-blank line ends
    for (const std::string_view line : all) {
        if (const auto name = sectionOf(line)) {
            inSection = *name == section;
            seenSection = seenSection || inSection;
            out += line;
            if (inSection)
                sectionEnd = out.size();
            continue;
        }
        if (inSection && valueFor(line, key)) {
            if (!written)
                out += entry;
            written = true;
            sectionEnd = out.size();
            continue;
        }
        out += line;
        if (inSection && !trim(line).empty())
            sectionEnd = out.size();
    }
    if (written)
        return out;
    if (seenSection) {
        std::string insert = entry;
        if (sectionEnd > 0 && out[sectionEnd - 1] != '\n')
            insert.insert(0, "\n");
        out.insert(sectionEnd, insert);
        return out;
    }
    if (!out.empty() && out.back() != '\n')
        out += '\n';
    if (!out.empty())
        out += '\n';
    out += "[" + std::string(section) + "]\n" + entry;
    return out;
}

} // namespace dewmoth::core
