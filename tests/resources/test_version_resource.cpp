// Reads back the compiled Windows resources (a .res file that
// check-version-resource.sh makes from quantelo.rc with the MinGW resource
// compiler) and checks the icon group, the icon image and every field of the
// version block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t rtIcon = 3;
constexpr std::uint16_t rtGroupIcon = 14;
constexpr std::uint16_t rtVersion = 16;
constexpr std::uint16_t englishUnitedStates = 0x0409;

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le16(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}
std::size_t align4(std::size_t n)
{
    return (n + 3) & ~std::size_t{3};
}

// UTF-16 text up to its terminating zero; returns the text and the offset after the zero.
std::pair<std::string, std::size_t> readUtf16z(const Bytes& b, std::size_t at)
{
    std::string text;
    for (std::uint32_t c; (c = le16(b, at)) != 0; at += 2)
        text += c < 0x80 ? static_cast<char>(c) : '?';
    return {text, at + 2};
}

struct Resource {
    std::uint16_t type;
    std::uint16_t id;
    std::uint16_t language;
    Bytes data;
};

// A .res file is a row of entries, each a RESOURCEHEADER (data size, header
// size, type, name, data version, memory flags, language, version,
// characteristics) and the data, both padded to 4 bytes. This program only
// writes numeric types and names (0xFFFF followed by the number).
std::vector<Resource> readRes(const Bytes& b)
{
    std::vector<Resource> resources;
    std::size_t at = 0;
    while (at < b.size()) {
        const std::size_t dataSize = le32(b, at);
        const std::size_t headerSize = le32(b, at + 4);
        if (le16(b, at + 8) != 0xFFFF || le16(b, at + 12) != 0xFFFF)
            throw std::runtime_error("resource with a type or name text at offset " + std::to_string(at));
        Resource r{static_cast<std::uint16_t>(le16(b, at + 10)),
                   static_cast<std::uint16_t>(le16(b, at + 14)),
                   static_cast<std::uint16_t>(le16(b, at + 22)),
                   {}};
        const std::size_t data = at + headerSize;
        if (data + dataSize > b.size())
            throw std::runtime_error("resource data runs past the end of the file");
        r.data.assign(b.begin() + static_cast<std::ptrdiff_t>(data),
                      b.begin() + static_cast<std::ptrdiff_t>(data + dataSize));
        // The file starts with an empty entry (type 0, name 0) that marks it as 32-bit.
        if (!(r.type == 0 && r.id == 0 && dataSize == 0))
            resources.push_back(std::move(r));
        at = align4(data + dataSize);
    }
    return resources;
}

// One node of the version block: wLength, wValueLength, wType, key, value,
// children; key, value and each child start on a 4-byte boundary.
struct VersionNode {
    std::string key;
    std::uint16_t type = 0; // 1: the value is text, 0: binary
    Bytes value;
    std::vector<VersionNode> children;
};

VersionNode readVersionNode(const Bytes& b, std::size_t at)
{
    const std::size_t length = le16(b, at);
    const std::size_t valueLength = le16(b, at + 2);
    VersionNode node;
    node.type = static_cast<std::uint16_t>(le16(b, at + 4));
    auto [key, afterKey] = readUtf16z(b, at + 6);
    node.key = key;
    std::size_t value = align4(afterKey);
    // A text value's length counts UTF-16 units, a binary value's counts bytes.
    const std::size_t valueBytes = node.type == 1 ? 2 * valueLength : valueLength;
    node.value.assign(b.begin() + static_cast<std::ptrdiff_t>(value),
                      b.begin() + static_cast<std::ptrdiff_t>(value + valueBytes));
    const std::size_t end = at + length;
    for (std::size_t child = align4(value + valueBytes); child < end;) {
        node.children.push_back(readVersionNode(b, child));
        child = align4(child + le16(b, child));
    }
    return node;
}

std::string textValue(const VersionNode& node)
{
    std::string text;
    for (std::size_t i = 0; i + 1 < node.value.size(); i += 2) {
        const std::uint32_t c = le16(node.value, i);
        if (c == 0)
            break;
        text += static_cast<char>(c);
    }
    return text;
}

class CompiledResources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_resources = readRes(readFile(QUANTELO_RES_FILE));
        for (const Resource& r : s_resources)
            if (r.type == rtVersion && r.id == 1)
                s_version = readVersionNode(r.data, 0);
    }

    static const Resource* find(std::uint16_t type, std::uint16_t id)
    {
        const auto it = std::find_if(s_resources.begin(), s_resources.end(),
                                     [&](const Resource& r) { return r.type == type && r.id == id; });
        return it == s_resources.end() ? nullptr : &*it;
    }

    static const VersionNode* child(const VersionNode& parent, const std::string& key)
    {
        const auto it = std::find_if(parent.children.begin(), parent.children.end(),
                                     [&](const VersionNode& n) { return n.key == key; });
        return it == parent.children.end() ? nullptr : &*it;
    }

    static inline std::vector<Resource> s_resources;
    static inline VersionNode s_version;
};

TEST_F(CompiledResources, HoldIconImageIconGroupAndVersionOnly)
{
    std::vector<std::pair<int, int>> found;
    for (const Resource& r : s_resources) {
        found.emplace_back(r.type, r.id);
        EXPECT_EQ(r.language, englishUnitedStates) << "type " << r.type << " id " << r.id;
    }
    std::sort(found.begin(), found.end());
    const std::vector<std::pair<int, int>> expected{{rtIcon, 30001}, {rtGroupIcon, 1}, {rtVersion, 1}};
    EXPECT_EQ(found, expected);
}

TEST_F(CompiledResources, IconGroup1HasOneEntryForIcon30001)
{
    const Resource* group = find(rtGroupIcon, 1);
    ASSERT_NE(group, nullptr);
    const Bytes& g = group->data;
    ASSERT_EQ(g.size(), 6u + 14u) << "directory header and one entry";
    EXPECT_EQ(le16(g, 0), 0u) << "reserved";
    EXPECT_EQ(le16(g, 2), 1u) << "type: icon";
    EXPECT_EQ(le16(g, 4), 1u) << "entry count";
    EXPECT_EQ(g[6], 16) << "width";
    EXPECT_EQ(g[7], 16) << "height";
    EXPECT_EQ(g[8], 0) << "colour count: 0 stands for 256";
    EXPECT_EQ(g[9], 0) << "reserved";
    EXPECT_EQ(le16(g, 10), 1u) << "planes";
    EXPECT_EQ(le16(g, 12), 8u) << "bits per pixel";
    EXPECT_EQ(le32(g, 14), 1384u) << "image bytes";
    EXPECT_EQ(le16(g, 18), 30001u) << "icon id";
}

TEST_F(CompiledResources, Icon30001IsTheImageOfTheIconFile)
{
    const Resource* icon = find(rtIcon, 30001);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->data.size(), 1384u);
    // The title bars show quantelo.ico; the executable must carry the same picture.
    const Bytes ico = readFile(QUANTELO_RESOURCES_DIR "/quantelo.ico");
    ASSERT_EQ(ico.size(), 22u + 1384u);
    EXPECT_TRUE(std::equal(icon->data.begin(), icon->data.end(), ico.begin() + 22, ico.end()));
}

TEST_F(CompiledResources, FixedFileInfoIsVersion1000ForA32BitWindowsApplication)
{
    ASSERT_EQ(s_version.key, "VS_VERSION_INFO");
    const Bytes& f = s_version.value;
    ASSERT_EQ(f.size(), 52u) << "VS_FIXEDFILEINFO";
    const std::vector<std::pair<const char*, std::uint32_t>> fields{
        {"dwSignature", 0xFEEF04BD},
        {"dwStrucVersion", 0x00010000},
        {"dwFileVersionMS", 0x00010000},
        {"dwFileVersionLS", 0},
        {"dwProductVersionMS", 0x00010000},
        {"dwProductVersionLS", 0},
        {"dwFileFlagsMask", 0},
        {"dwFileFlags", 0},
        {"dwFileOS", 4},
        {"dwFileType", 1},
        {"dwFileSubtype", 0},
        {"dwFileDateMS", 0},
        {"dwFileDateLS", 0},
    };
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(le32(f, 4 * i), fields[i].second) << fields[i].first;
}

TEST_F(CompiledResources, VersionBlockHasOnlyStringAndVarFileInfo)
{
    std::vector<std::string> keys;
    for (const VersionNode& n : s_version.children)
        keys.push_back(n.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
}

TEST_F(CompiledResources, StringTableIs040904B0WithFiveStrings)
{
    const VersionNode* info = child(s_version, "StringFileInfo");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->children.size(), 1u);
    const VersionNode& table = info->children.front();
    EXPECT_EQ(table.key, "040904B0");
    std::map<std::string, std::string> strings;
    for (const VersionNode& s : table.children) {
        EXPECT_EQ(s.type, 1) << s.key << " must be text";
        // Readers of the block take each string up to its terminating zero.
        EXPECT_TRUE(s.value.size() >= 2 && s.value[s.value.size() - 1] == 0 && s.value[s.value.size() - 2] == 0)
            << s.key << " must end in a zero";
        strings[s.key] = textValue(s);
    }
    EXPECT_EQ(table.children.size(), 5u) << "no string twice, none more";
    const std::map<std::string, std::string> expected{
        {"ProductName", "Quantelo1"},
        {"FileVersion", "1.00"},
        {"ProductVersion", "1.00"},
        {"InternalName", "Quantelo-Power"},
        {"OriginalFilename", "Quantelo-Power.exe"},
    };
    EXPECT_EQ(strings, expected);
}

TEST_F(CompiledResources, TranslationIsEnglishUnitedStatesUnicode)
{
    const VersionNode* var = child(s_version, "VarFileInfo");
    ASSERT_NE(var, nullptr);
    ASSERT_EQ(var->children.size(), 1u);
    const VersionNode& translation = var->children.front();
    EXPECT_EQ(translation.key, "Translation");
    EXPECT_EQ(translation.type, 0) << "binary value";
    EXPECT_EQ(translation.value, (Bytes{0x09, 0x04, 0xB0, 0x04}));
}

} // namespace
