// The Windows executable as Windows itself reads it: the version block that
// Explorer's Properties show (through the version API, so the block must
// really be linked in and well formed), the icon that Explorer draws, and the
// GUI subsystem. The bytes of the compiled resources (flags, the string
// table holding these five strings and no others, the icon image) are
// checked in full by the resource tests of the Linux build; this is what the
// link made of them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::wstring executable; // from the command line

std::vector<unsigned char> versionBlock()
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(executable.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || GetFileVersionInfoW(executable.c_str(), 0, size, block.data()) == 0)
        block.clear();
    return block;
}

struct StringRow {
    const char* name;
    const wchar_t* key;
    const wchar_t* expected;
};

const StringRow strings[] = {
    {"ProductName", L"ProductName", L"Quantelo1"},
    {"FileVersion", L"FileVersion", L"" QUANTELO_VERSION_TEXT},
    {"ProductVersion", L"ProductVersion", L"" QUANTELO_VERSION_TEXT},
    {"InternalName", L"InternalName", L"Quantelo-Power"},
    {"OriginalFilename", L"OriginalFilename", L"Quantelo-Power.exe"},
};

// The row's key in the test's name, not its bytes.
void PrintTo(const StringRow& row, std::ostream* out)
{
    *out << row.name;
}

class VersionString : public ::testing::TestWithParam<StringRow> { };

TEST_P(VersionString, ReadsAsExplorerShowsIt)
{
    auto block = versionBlock();
    ASSERT_FALSE(block.empty()) << "no version block in the executable";
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + GetParam().key;
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), &value, &length) != 0 && length > 0);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Executable, VersionString, ::testing::ValuesIn(strings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Executable, FixedVersionAndTranslation)
{
    auto block = versionBlock();
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_NE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length), 0);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, QUANTELO_VERSION_MS);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, QUANTELO_VERSION_MS);

    WORD* translation = nullptr;
    ASSERT_NE(
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length),
        0);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

// The executable mapped as an image of resources, without running any of it.
HMODULE mapped()
{
    return LoadLibraryExW(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

TEST(Executable, IconGroupOneHoldsIcon30001)
{
    HMODULE module = mapped();
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const unsigned char*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(directory, nullptr);
    // The icon Explorer picks for 16 x 16 is the group's one entry.
    const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(directory), TRUE, 16, 16, LR_DEFAULTCOLOR);
    EXPECT_EQ(id, 30001);
    HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(30001), MAKEINTRESOURCEW(3)); // RT_ICON
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(SizeofResource(module, image), 1384u);
    FreeLibrary(module);
}

TEST(Executable, RunsInTheGuiSubsystem)
{
    HMODULE module = mapped();
    ASSERT_NE(module, nullptr);
    // A module mapped as data is marked in its handle's low bits.
    const auto* base = reinterpret_cast<const unsigned char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // Loaded anywhere (ASLR) and never run from data pages (DEP).
    EXPECT_TRUE(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    FreeLibrary(module);
}

} // namespace

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s QUANTELO-POWER.EXE\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    executable.assign(path.begin(), path.end());
    return RUN_ALL_TESTS();
}
