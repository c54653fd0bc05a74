// Any program path written into a desktop entry's Exec line must read back as exactly that
// path, on one line.
#include "shell/desktop_entry.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace dewmoth::shell;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string path(reinterpret_cast<const char *>(data), size);
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
