#include "shell/desktop_entry.h"

#include "core/utf8_check.h"

namespace dewmoth::shell {

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string quoteExecArgument(std::string_view argument)
{
    const bool needsQuotes =
        argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    std::string out;
    if (needsQuotes)
        out += '"';
    for (const char c : argument) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\'))
            out += '\\';
        out += c;
    }
    if (needsQuotes)
        out += '"';
    return out;
}

std::string escapeStringValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescapeStringValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

bool nameableInEntry(std::string_view program)
{
    return !program.empty() && program.find('\0') == std::string_view::npos &&
           core::isValidUtf8(program.data(), program.size());
}

std::string execValueFor(std::string_view program)
{
    return escapeStringValue(quoteExecArgument(program));
}

namespace {

// One double-quoted Exec argument from just after its opening quote; `i` ends past its closing
// quote, which must end the argument. False for anything the quoting rules do not allow.
bool readQuotedArgument(const std::string &s, std::size_t &i, std::string &arg)
{
    while (i < s.size()) {
        const char c = s[i++];
        if (c == '"')
            return i == s.size() || s[i] == ' ';
        if (c == '`' || c == '$')
            return false; // must be escaped inside quotes too
        if (c == '\\') {
            if (i == s.size())
                return false;
            const char next = s[i++];
            if (next != '"' && next != '`' && next != '$' && next != '\\')
                return false;
            arg += next;
        } else if (c == '%') {
            if (i == s.size() || s[i] != '%')
                return false;
            ++i;
            arg += '%';
        } else {
            arg += c;
        }
    }
    return false; // never closed
}

} // namespace

std::optional<std::vector<std::string>> parseExecValue(std::string_view value)
{
    const auto unescaped = unescapeStringValue(value);
    if (!unescaped)
        return std::nullopt;
    const std::string &s = *unescaped;
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ') {
            ++i;
            continue;
        }
        std::string arg;
        if (s[i] == '"') {
            if (!readQuotedArgument(s, ++i, arg))
                return std::nullopt;
        } else {
            while (i < s.size() && s[i] != ' ') {
                const char c = s[i++];
                if (c == '%') {
                    if (i == s.size() || s[i] != '%')
                        return std::nullopt;
                    ++i;
                    arg += '%';
                } else if (kReserved.find(c) != std::string_view::npos) {
                    return std::nullopt; // reserved characters must be quoted
                } else {
                    arg += c;
                }
            }
        }
        args.push_back(std::move(arg));
    }
    if (args.empty())
        return std::nullopt;
    return args;
}

std::string startupEntryText(std::string_view name, std::string_view comment, std::string_view icon,
                             std::string_view program, bool hidden)
{
    std::string text = "[Desktop Entry]\nType=Application\n";
    text += "Name=" + escapeStringValue(name) + "\n";
    text += "Comment=" + escapeStringValue(comment) + "\n";
    text += "Icon=" + escapeStringValue(icon) + "\n";
    // TryExec lets a session pass the entry over once the program is gone (after an uninstall)
    // instead of failing to start it at every logon. A plain string, not Exec's quoting.
    text += "TryExec=" + escapeStringValue(program) + "\n";
    text += "Exec=" + execValueFor(program) + "\n";
    if (hidden)
        text += "Hidden=true\n";
    return text;
}

namespace {

// Calls `visit(key, value, line)` for each key line of the [Desktop Entry] group and `other(line)`
// for every other line; `line` keeps its line end.
template <typename Visit, typename Other>
void forEachLine(std::string_view content, Visit visit, Other other)
{
    bool inMainGroup = false;
    while (!content.empty()) {
        const std::size_t eol = content.find('\n');
        const std::size_t length = eol == std::string_view::npos ? content.size() : eol + 1;
        const std::string_view raw = content.substr(0, length);
        const std::string_view line =
            trim(raw.substr(0, eol == std::string_view::npos ? length : eol));
        content.remove_prefix(length);
        if (!line.empty() && line.front() == '[')
            inMainGroup = line == "[Desktop Entry]";
        const std::size_t eq = line.find('=');
        if (!inMainGroup || line.empty() || line.front() == '#' || line.front() == '[' ||
            eq == std::string_view::npos) {
            other(raw);
            continue;
        }
        visit(trim(line.substr(0, eq)), trim(line.substr(eq + 1)), raw);
    }
}

bool switchesOff(std::string_view key, std::string_view value)
{
    return (key == "Hidden" && value == "true") ||
           (key == "X-GNOME-Autostart-enabled" && value == "false");
}

} // namespace

bool autostartEntryEnabled(std::string_view content)
{
    bool enabled = true;
    forEachLine(
        content,
        [&](std::string_view key, std::string_view value, std::string_view) {
            if (switchesOff(key, value))
                enabled = false;
        },
        [](std::string_view) {});
    return enabled;
}

std::optional<std::string> entryProgram(std::string_view content)
{
    std::optional<std::string> exec;
    forEachLine(
        content,
        [&](std::string_view key, std::string_view value, std::string_view) {
            if (key == "Exec" && !exec)
                exec = std::string(value);
        },
        [](std::string_view) {});
    if (!exec)
        return std::nullopt;
    const auto args = parseExecValue(*exec);
    if (!args)
        return std::nullopt;
    return args->front();
}

std::string entryStarting(std::string_view content, std::string_view program)
{
    std::string out;
    out.reserve(content.size() + program.size());
    const auto newline = [](std::string_view raw) {
        return raw.ends_with("\r\n") ? "\r\n" : raw.ends_with('\n') ? "\n" : "";
    };
    forEachLine(
        content,
        [&](std::string_view key, std::string_view value, std::string_view raw) {
            if (switchesOff(key, value))
                return;
            if (key == "Exec") {
                auto args = parseExecValue(value).value_or(std::vector<std::string>{""});
                args.front() = std::string(program);
                std::string quoted;
                for (const std::string &arg : args)
                    quoted += (quoted.empty() ? "" : " ") + quoteExecArgument(arg);
                out += "Exec=" + escapeStringValue(quoted) + newline(raw);
            } else if (key == "TryExec") {
                out += "TryExec=" + escapeStringValue(program) + newline(raw);
            } else {
                out += raw;
            }
        },
        [&](std::string_view raw) { out += raw; });
    return out;
}

} // namespace dewmoth::shell
