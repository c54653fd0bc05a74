// Records its command line in the file named by DEWMOTH_MARKER, then ends.
#include <cstdio>
#include <cwchar>
#include <windows.h>

int wmain(int argc, wchar_t **argv)
{
    wchar_t marker[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"DEWMOTH_MARKER", marker, MAX_PATH))
        return 1;
    FILE *out = _wfopen(marker, L"a, ccs=UTF-8");
    if (!out)
        return 1;
    for (int i = 0; i < argc; ++i)
        std::fwprintf(out, L"%ls%ls", i ? L" " : L"", argv[i]);
    std::fwprintf(out, L"\n");
    std::fclose(out);
    return 0;
}
