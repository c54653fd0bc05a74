// Any program path written into a desktop entry's Exec line must read back as exactly that
// path, on one line. Any text read as a desktop entry of ours and pointed at another program
// must start that program; any text read as a settings file and given a value must give it back.
#include "core/ini_text.h"
#include "shell/desktop_entry.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace dewmoth::shell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string path(reinterpret_cast<const char *>(data), size);
    if (entryProgram(path)) {
        const std::string moved = entryStarting(path, "/new place/100%/dewmoth");
        if (entryProgram(moved) != "/new place/100%/dewmoth" || !autostartEntryEnabled(moved))
            std::abort();
    }
    const std::string ini = dewmoth::core::iniWithValue(path, "size", "Width", "9000");
    if (dewmoth::core::iniValue(ini, "size", "Width") != "9000")
        std::abort();
    if (path.empty() || path.find('\0') != std::string::npos)
        return 0; // no file system path holds a NUL
    const std::string exec = execValueFor(path);
    if (exec.find('\n') != std::string::npos || exec.find('\r') != std::string::npos)
        std::abort();
    const auto args = parseExecValue(exec);
    if (!args || args->size() != 1 || args->front() != path)
        std::abort();
    // Whatever the parser accepts, it accepts as a whole line of arguments without crashing.
    (void)parseExecValue(std::string_view(path));
    return 0;
}
