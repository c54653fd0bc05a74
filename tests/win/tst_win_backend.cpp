// The Windows backend under Wine: folders, shortcuts, the start-up switch, registry values,
// the system-information lookups and the document launcher.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>

#include "about/registry_win.h"
#include "about/sys_info.h"
#include "core/win_text.h"
#include "quotes/quote_file.h"
#include "shell/document_launcher.h"
#include "shell/shortcut_win.h"
#include "shell/startup_folder.h"
#include "shell/startup_switch.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace dewmoth;

namespace {

const wchar_t kTestKey[] = L"SOFTWARE\\Dewmoth Tests";
const wchar_t kToolKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t kToolFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

fs::path scratch(const std::wstring &name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const fs::path dir = fs::path(temp) / L"dewmoth-tests" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

fs::path fakeTool()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / "fake_tool.exe";
}

// A copy of the fake tool under another name, with the marker file it writes to.
fs::path placeTool(const fs::path &at, const fs::path &marker)
{
    fs::create_directories(at.parent_path());
    fs::copy_file(fakeTool(), at, fs::copy_options::overwrite_existing);
    ::SetEnvironmentVariableW(L"DEWMOTH_MARKER", marker.c_str());
    return at;
}

std::string waitForMarker(const fs::path &marker, int milliseconds = 5000)
{
    for (int waited = 0; waited < milliseconds && !fs::exists(marker); waited += 50)
        ::Sleep(50);
    ::Sleep(100);
    std::ifstream in(marker);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return text;
}

bool samePath(const std::wstring &a, const std::wstring &b)
{
    return ::CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring linkTarget(const fs::path &link)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring result;
    IShellLinkW *shellLink = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void **>(&shellLink)))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(
                shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
                wchar_t path[MAX_PATH] = {};
                if (SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
                    result = path;
            }
            file->Release();
        }
        shellLink->Release();
    }
    ::CoUninitialize();
    return result;
}

void setValue(HKEY root, const std::wstring &key, const std::wstring &name, DWORD type,
              const void *data, DWORD size)
{
    HKEY handle = nullptr;
    REQUIRE(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                              nullptr) == ERROR_SUCCESS);
    REQUIRE(::RegSetValueExW(handle, name.c_str(), 0, type, static_cast<const BYTE *>(data),
                             size) == ERROR_SUCCESS);
    ::RegCloseKey(handle);
}

void setText(HKEY root, const std::wstring &key, const std::wstring &name, const std::wstring &text)
{
    setValue(root, key, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

std::string read(const std::wstring &name, about::KeyValueOutcome expected)
{
    std::string value = "as passed";
    CHECK(about::GetKeyValue(HKEY_LOCAL_MACHINE, kTestKey, name, value) == expected);
    return value;
}

void clearToolKeys()
{
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kToolKey);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kToolFolderKey);
}

} // namespace

TEST_CASE("special folders")
{
    CHECK_FALSE(shell::GetSpecialFolder(shell::kCsidlRecent).empty());
    CHECK_FALSE(shell::GetSpecialFolder(shell::kCsidlStartup).empty());
    CHECK(shell::GetSpecialFolder(0x7FFF).empty());
    const fs::path startup = shell::GetStartupFolder();
    CHECK_FALSE(startup.empty());
    // An administrator's prefix: the folder for all users is writable and preferred.
    CHECK(startup == shell::GetSpecialFolder(shell::kCsidlCommonStartup));
}

TEST_CASE("shortcut to a target with blanks and non-ASCII letters")
{
    const fs::path dir = scratch(L"Tést Zoë's links");
    const fs::path target = placeTool(dir / L"Mes outils" / L"viewer Zoë.Exe", dir / L"m.txt");
    const fs::path link = dir / L"Viewer.lnk";
    REQUIRE(shell::CreateShortcut(target, link));
    CHECK(samePath(linkTarget(link), target.wstring()));

    // The recent-documents shortcut stays where the shell put it, named after the file.
    const fs::path recent =
        shell::GetSpecialFolder(shell::kCsidlRecent) / (target.filename().wstring() + L".lnk");
    CHECK(fs::exists(recent));

    // An existing file at the link path is replaced without a question.
    {
        std::ofstream(link, std::ios::trunc) << "not a shortcut";
    }
    REQUIRE(shell::CreateShortcut(target, link));
    CHECK(samePath(linkTarget(link), target.wstring()));

    // One that cannot be made (its folder is a file) says why, for the caller to log and show.
    std::ofstream(dir / L"a file") << "in the way";
    core::Failure why;
    CHECK_FALSE(shell::CreateShortcut(target, dir / L"a file" / L"Viewer.lnk", &why));
    CHECK(why.failed());
    CHECK_FALSE(why.detail.empty());
}

TEST_CASE("start-up switch")
{
    const fs::path dir = scratch(L"switch");
    const fs::path program = placeTool(dir / L"Dewmoth.exe", dir / L"m.txt");
    const fs::path target = shell::StartupTarget(program);
    CHECK(target.filename().wstring() == L"Dewmoth.Exe");
    CHECK(shell::StartupEntryPath("Dewmoth").filename().wstring() == L"Dewmoth.lnk");

    CHECK(shell::SetStartupEnabled(true, "Dewmoth", target).enabled);
    CHECK(shell::IsStartupEnabled("Dewmoth", target));
    CHECK(samePath(linkTarget(shell::StartupEntryPath("Dewmoth")), target.wstring()));
    CHECK(shell::RefreshStartupEntry("Dewmoth", target).enabled);
    const shell::StartupState off = shell::SetStartupEnabled(false, "Dewmoth", target);
    CHECK_FALSE(off.enabled);
    CHECK_FALSE(off.failure.failed());
    CHECK_FALSE(fs::exists(shell::StartupEntryPath("Dewmoth")));
    // Already off: no error, and the start-up test makes nothing.
    CHECK_FALSE(shell::SetStartupEnabled(false, "Dewmoth", target).failure.failed());
    CHECK_FALSE(shell::RefreshStartupEntry("Dewmoth", target).enabled);
    CHECK_FALSE(fs::exists(shell::StartupEntryPath("Dewmoth")));

    // Both Startup folders: a shortcut of ours in either ticks the box, and unticking removes
    // it from both; another program's shortcut of the same name is left alone.
    const fs::path user = shell::UserStartupEntry("Dewmoth");
    const fs::path common = shell::AllUsersStartupEntry("Dewmoth");
    REQUIRE_FALSE(common.empty());
    const fs::path other = placeTool(dir / L"Other.exe", dir / L"o.txt");
    for (const bool inUser : {false, true})
        for (const bool inCommon : {false, true}) {
            CAPTURE(inUser);
            CAPTURE(inCommon);
            if (inUser)
                REQUIRE(shell::CreateShortcut(target, user));
            if (inCommon)
                REQUIRE(shell::CreateShortcut(target, common));
            CHECK(shell::IsStartupEnabled("Dewmoth", target) == (inUser || inCommon));
            CHECK(shell::RefreshStartupEntry("Dewmoth", target).enabled == (inUser || inCommon));
            const shell::StartupState cleared = shell::SetStartupEnabled(false, "Dewmoth", target);
            CHECK_FALSE(cleared.enabled);
            CHECK_FALSE(cleared.failure.failed());
            CHECK_FALSE(fs::exists(user));
            CHECK_FALSE(fs::exists(common));
        }
    REQUIRE(shell::CreateShortcut(other, user));
    CHECK_FALSE(shell::IsStartupEnabled("Dewmoth", target));
    CHECK_FALSE(shell::SetStartupEnabled(false, "Dewmoth", target).failure.failed());
    CHECK(fs::exists(user));
    fs::remove(user);

    // Where ticking puts it: for everyone only from an installation for everyone, and only
    // where this user may add files.
    CHECK(shell::ChooseStartupScope(true, true) == shell::StartupScope::AllUsers);
    CHECK(shell::ChooseStartupScope(true, false) == shell::StartupScope::User);
    CHECK(shell::ChooseStartupScope(false, true) == shell::StartupScope::User);
    CHECK(shell::ChooseStartupScope(false, false) == shell::StartupScope::User);
}

TEST_CASE("registry values")
{
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKey);
    const std::wstring x511(511, L'x');
    setText(HKEY_LOCAL_MACHINE, kTestKey, L"text 1024", x511); // 1024 bytes with its zero
    setText(HKEY_LOCAL_MACHINE, kTestKey, L"text 1026", x511 + L"x");
    setValue(HKEY_LOCAL_MACHINE, kTestKey, L"no zero", REG_SZ, L"abc", 6);
    setText(HKEY_LOCAL_MACHINE, kTestKey, L"non-ASCII", L"C:\\Zoë\\蛾");
    const DWORD small = 0x00000105, large = 0x12345678;
    setValue(HKEY_LOCAL_MACHINE, kTestKey, L"small", REG_DWORD, &small, 4);
    setValue(HKEY_LOCAL_MACHINE, kTestKey, L"large", REG_DWORD, &large, 4);
    setValue(HKEY_LOCAL_MACHINE, kTestKey, L"empty", REG_SZ, L"", 0);
    const unsigned char bytes[] = {1, 2};
    setValue(HKEY_LOCAL_MACHINE, kTestKey, L"binary", REG_BINARY, bytes, 2);

    using about::KeyValueOutcome;
    CHECK(read(L"text 1024", KeyValueOutcome::Read) == std::string(511, 'x'));
    CHECK(read(L"text 1026", KeyValueOutcome::Absent).empty());
    CHECK(read(L"no zero", KeyValueOutcome::Read) == "abc");
    CHECK(read(L"non-ASCII", KeyValueOutcome::Read) == "C:\\Zoë\\蛾");
    CHECK(read(L"small", KeyValueOutcome::Read) == "&h000105");
    CHECK(read(L"large", KeyValueOutcome::Read) == "&h12345678");
    read(L"empty", KeyValueOutcome::NoData);
    CHECK(read(L"binary", KeyValueOutcome::Read) == "as passed");
    CHECK(read(L"missing", KeyValueOutcome::Absent).empty());
    std::string value = "as passed";
    CHECK(about::GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Dewmoth No Such Key", L"x", value) ==
          KeyValueOutcome::Absent);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKey);
}

TEST_CASE("system information lookups")
{
    const fs::path dir = scratch(L"sysinfo");
    const fs::path marker = dir / L"started.txt";
    const fs::path first = placeTool(dir / L"My Tools" / L"info tool.exe", marker);
    const fs::path folder = dir / L"Shared Tools";
    placeTool(folder / L"MSINFO32.EXE", marker);
    const auto launched = [&] {
        fs::remove(marker);
        const bool ok = about::LaunchSysInfo();
        return std::make_pair(ok, ok ? waitForMarker(marker) : std::string());
    };

    SUBCASE("nothing registered: the message")
    {
        clearToolKeys();
        CHECK_FALSE(about::LaunchSysInfo());
    }
    SUBCASE("the first entry wins and is started with its blanks intact")
    {
        clearToolKeys();
        setText(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", first.wstring());
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder.wstring());
        const auto [ok, started] = launched();
        CHECK(ok);
        CHECK(started.find("info tool.exe") != std::string::npos);
    }
    SUBCASE("a first entry naming a missing program: the message, the second is not tried")
    {
        clearToolKeys();
        setText(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", (dir / L"gone.exe").wstring());
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder.wstring());
        CHECK_FALSE(about::LaunchSysInfo());
        ::Sleep(300);
        CHECK_FALSE(fs::exists(marker));
    }
    SUBCASE("a first entry of another type gives an empty path: the message")
    {
        clearToolKeys();
        const unsigned char bytes[] = {1};
        setValue(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", REG_BINARY, bytes, 1);
        CHECK_FALSE(about::LaunchSysInfo());
    }
    SUBCASE("a first entry without data: the message")
    {
        clearToolKeys();
        setValue(HKEY_LOCAL_MACHINE, kToolKey, L"PATH", REG_SZ, L"", 0);
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder.wstring());
        CHECK_FALSE(about::LaunchSysInfo());
    }
    SUBCASE("the second entry's folder holds the program")
    {
        clearToolKeys();
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder.wstring());
        const auto [ok, started] = launched();
        CHECK(ok);
        CHECK(started.find("MSINFO32.EXE") != std::string::npos);
    }
    SUBCASE("a folder ending in a backslash: the doubled backslash is kept and works")
    {
        clearToolKeys();
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", folder.wstring() + L"\\");
        const auto [ok, started] = launched();
        CHECK(ok);
        CHECK(started.find("\\\\MSINFO32.EXE") != std::string::npos);
    }
    SUBCASE("the second entry's folder lacks the program: the message")
    {
        clearToolKeys();
        setText(HKEY_LOCAL_MACHINE, kToolFolderKey, L"MSINFO", dir.wstring());
        CHECK_FALSE(about::LaunchSysInfo());
    }
    clearToolKeys();
}

TEST_CASE("a document opens with its registered handler")
{
    const fs::path dir = scratch(L"documents");
    const fs::path marker = dir / L"opened.txt";
    const fs::path handler = placeTool(dir / L"handler.exe", marker);
    setText(HKEY_CLASSES_ROOT, L".dewmothtest", L"", L"DewmothTest.Document");
    setText(HKEY_CLASSES_ROOT, L"DewmothTest.Document\\shell\\open\\command", L"",
            L"\"" + handler.wstring() + L"\" \"%1\"");
    const fs::path document = dir / L"a saying.dewmothtest";
    {
        std::ofstream(document) << "Clouds pass.";
    }

    CHECK(shell::OpenDocument("open", core::toUtf8(document.wstring()), std::nullopt, std::nullopt,
                              shell::kShowNormal));
    CHECK(waitForMarker(marker).find("a saying.dewmothtest") != std::string::npos);
    CHECK_FALSE(shell::OpenDocument("open", "", std::nullopt, std::nullopt, 1));
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".dewmothtest");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"DewmothTest.Document");
}

TEST_CASE("the open quote file lets an editor save over it and delete it")
{
    const fs::path dir = scratch(L"quotes");
    const fs::path path = dir / L"TIPOFDAY.TXT";
    std::ofstream(path, std::ios::binary) << "First\r\nSecond\r\n";
    core::Failure why;
    quotes::OpenFile file;
    REQUIRE(quotes::OpenFile::open(path, file, why) == quotes::OpenStatus::Opened);
    const auto before = quotes::stampAt(path);
    REQUIRE(before);
    CHECK(*before == file.stamp());
    CHECK(before->size == 15);

    // An editor saving in place, then deleting the file: both allowed while it is open.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "Other\r\n";
    const auto after = quotes::stampAt(path);
    REQUIRE(after);
    CHECK(after->size == 7);
    char bytes[6] = {};
    CHECK(file.readAt(0, bytes, 5, why) == 5);
    CHECK(std::string(bytes, 5) == "Other");
    CHECK(file.readAt(7, bytes, 6, why) == 0); // shortened: nothing where "Second" was
    CHECK(::DeleteFileW(path.c_str()) != 0);
    // Saving by renaming a new file over the open one is what the sharing mode allows on
    // Windows; Wine refuses it while the open file still has its name, so this only reports.
    std::ofstream(dir / L"TIPOFDAY.NEW", std::ios::binary) << "Again\r\n";
    WARN(::MoveFileExW((dir / L"TIPOFDAY.NEW").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    file = quotes::OpenFile();
    ::DeleteFileW(path.c_str());

    quotes::OpenFile other;
    CHECK(quotes::OpenFile::open(path, other, why) == quotes::OpenStatus::NotFound);
    CHECK(quotes::OpenFile::open(dir, other, why) == quotes::OpenStatus::NotFound);
}
