#include "settings/reg_file.h"

#include <gtest/gtest.h>

#include "settings/utf16_text.h"

namespace pixolet {
namespace {

constexpr std::string_view kSample =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Velmora\\Pixolet]\n"
    "\"Zoom\"=dword:00000004\n"
    "\"FontName\"=\"Courier \\\"New\\\" C:\\\\x\"\n"
    "\"Path\"=hex(2):41,00,42,00,00,00\n"
    "\"Blob\"=hex:01,02,ff\n"
    "@=\"default\"\n";

RegFileValue Text(std::string name, std::string text, RegType type = RegType::Sz) {
    RegFileValue v;
    v.name = std::move(name);
    v.value.type = type;
    v.value.text = std::move(text);
    return v;
}

RegFileValue Dword(std::string name, std::uint32_t n) {
    RegFileValue v;
    v.name = std::move(name);
    v.value.type = RegType::Dword;
    v.value.dword = n;
    return v;
}

RegFileValue Binary(std::string name, std::vector<std::uint8_t> raw, std::uint32_t type = 3) {
    RegFileValue v;
    v.name = std::move(name);
    v.value.type = RegType::Binary;
    v.value.raw = std::move(raw);
    v.binaryType = type;
    return v;
}

const RegFileValue& ValueOf(const RegFileParse& p, std::string_view key, std::string_view name) {
    const RegFileKey* k = p.document.FindKey(key);
    if (!k) throw std::runtime_error("no key " + std::string(key));
    const RegFileValue* v = k->Find(name);
    if (!v) throw std::runtime_error("no value " + std::string(name));
    return *v;
}

TEST(RegFile, ReadsEveryKindOfValue) {
    const RegFileParse p = ParseRegFile(kSample);
    EXPECT_EQ(p.skippedLines, 0u);
    const std::string key = "Software\\Velmora\\Pixolet";
    EXPECT_EQ(ValueOf(p, key, "zoom").value.dword, 4u);
    EXPECT_EQ(ValueOf(p, key, "FontName").value.text, "Courier \"New\" C:\\x");
    EXPECT_EQ(ValueOf(p, key, "Path").value.type, RegType::ExpandSz);
    EXPECT_EQ(ValueOf(p, key, "Path").value.text, "AB");
    EXPECT_EQ(ValueOf(p, key, "Blob").value.raw, (std::vector<std::uint8_t>{1, 2, 0xff}));
    EXPECT_EQ(ValueOf(p, key, "").value.text, "default");
    // Parents are listed before the key, as regedit exports them.
    ASSERT_EQ(p.document.keys.size(), 3u);
    EXPECT_EQ(p.document.keys[0].path, "Software");
}

TEST(RegFile, EveryTypeSurvivesSaveAndLoad) {
    RegFileDocument doc;
    RegFileKey& key = doc.EnsureKey("Software\\Velmora\\Pixolet");
    key.Set(Dword("Zoom", 0xFFFFFFFF));
    key.Set(Text("FontName", "Courier New"));
    key.Set(Text("Quoted", "a \"b\" \\c\\"));
    key.Set(Text("Lines", "one\r\ntwo"));  // needs the hex form
    key.Set(Text("Exp", "%HOME%\\x \xC3\xA9", RegType::ExpandSz));
    key.Set(Text("Bytes", "\xFF\xFE bad utf-8 \xC3"));  // not UTF-8 at all
    key.Set(Text("Empty", ""));
    key.Set(Binary("Blob", {0, 1, 2, 0xFE}));
    key.Set(Binary("Qword", {1, 2, 3, 4, 5, 6, 7, 8}, 0xB));
    key.Set(Binary("None", {}, 0));
    key.Set(Text("", "default"));
    doc.EnsureKey("Software\\Other key [1]");

    const std::string text = SerializeRegFile(doc);
    const RegFileParse back = ParseRegFile(text);
    EXPECT_EQ(back.skippedLines, 0u) << text;
    EXPECT_TRUE(back.document == doc) << text;
    EXPECT_EQ(SerializeRegFile(back.document), text);
}

TEST(RegFile, WritesTheRegeditForm) {
    RegFileDocument doc;
    RegFileKey& key = doc.EnsureKey("Software\\Velmora\\Pixolet");
    key.Set(Dword("Zoom", 4));
    key.Set(Text("FontName", "Courier New"));
    key.Set(Text("P", "AB", RegType::ExpandSz));
    key.Set(Text("", "d"));
    EXPECT_EQ(SerializeRegFile(doc),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velmora]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velmora\\Pixolet]\n"
              "\"Zoom\"=dword:00000004\n"
              "\"FontName\"=\"Courier New\"\n"
              "\"P\"=hex(2):41,00,42,00,00,00\n"
              "@=\"d\"\n\n");
}

TEST(RegFile, LongHexValuesWrapAndReadBack) {
    RegFileDocument doc;
    std::vector<std::uint8_t> raw(1000);
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 7);
    doc.EnsureKey("K").Set(Binary("B", raw));
    const std::string text = SerializeRegFile(doc);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        EXPECT_LE(end - start, 80u);
    }
    EXPECT_EQ(ParseRegFile(text).document.FindKey("K")->Find("B")->value.raw, raw);
}

TEST(RegFile, BomCrlfAndContinuationLines) {
    const std::string text =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\K]\r\n"
        "\"B\"=hex:01,02,\\\r\n"
        "  03,04\r\n"
        "\"S\"=\"x\"\r\n";
    const RegFileParse p = ParseRegFile(text);
    EXPECT_EQ(p.skippedLines, 0u);
    EXPECT_EQ(ValueOf(p, "K", "B").value.raw, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(ValueOf(p, "K", "S").value.text, "x");
}

TEST(RegFile, ReadsUtf16Files) {
    const std::string utf8 =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
        "\"S\"=\"\xC3\xA9\"\r\n";
    const std::vector<std::uint8_t> units = Utf8ToUtf16Le(utf8);
    std::string text = "\xFF\xFE";
    text.append(units.begin(), units.end());
    const RegFileParse p = ParseRegFile(text);
    EXPECT_EQ(p.skippedLines, 0u);
    EXPECT_EQ(ValueOf(p, "K", "S").value.text, "\xC3\xA9");
}

TEST(RegFile, NamesAreCaseInsensitiveAndLaterDuplicatesWin) {
    const RegFileParse p = ParseRegFile(
        "[HKEY_CURRENT_USER\\Software\\Velmora]\n"
        "\"Zoom\"=dword:00000001\n"
        "\"ZOOM\"=\"text now\"\n"
        "[hkey_current_user\\SOFTWARE\\velmora]\n"
        "\"zoom\"=dword:00000003\n");
    EXPECT_EQ(p.skippedLines, 0u);
    ASSERT_EQ(p.document.keys.size(), 2u);
    const RegFileKey& key = p.document.keys[1];
    EXPECT_EQ(key.path, "Software\\Velmora");  // the case first written
    ASSERT_EQ(key.values.size(), 1u);
    EXPECT_EQ(key.values[0].name, "Zoom");
    EXPECT_EQ(key.values[0].value.type, RegType::Dword);
    EXPECT_EQ(key.values[0].value.dword, 3u);
}

struct BadInput {
    const char* what;
    std::string text;
    std::size_t skipped;
    std::size_t valuesKept;
};

TEST(RegFile, BadLinesAreSkippedAndTheRestIsKept) {
    const std::string head = "[HKEY_CURRENT_USER\\K]\n\"Good\"=dword:00000001\n";
    const BadInput cases[] = {
        {"garbage line", head + "this is not a value\n", 1, 1},
        {"unterminated string", head + "\"A\"=\"open\n", 1, 1},
        {"junk after string", head + "\"A\"=\"x\" y\n", 1, 1},
        {"bad dword", head + "\"A\"=dword:123456789\n\"B\"=dword:xyz\n", 2, 1},
        {"bad hex byte", head + "\"A\"=hex:01,2g\n\"B\"=hex:100\n", 2, 1},
        {"other root", "[HKEY_LOCAL_MACHINE\\X]\n\"A\"=dword:1\n" + head, 2, 1},
        {"deletions", head + "[-HKEY_CURRENT_USER\\K]\n\"Good\"=-\n", 2, 1},
        {"value before any key", "\"A\"=dword:1\n" + head, 1, 1},
        {"empty key name", "[HKEY_CURRENT_USER\\a\\\\b]\n\"A\"=dword:1\n" + head, 2, 1},
        {"control character in name", head + "\"A\x01\"=dword:1\n", 1, 1},
        {"truncated mid-string", head + "\"Tail\"=\"abc", 1, 1},
        {"truncated mid-hex", head + "\"Tail\"=hex:01,02,\\", 0, 2},
        {"continuation stops at a key", head + "\"H\"=hex:01,\\\n[HKEY_CURRENT_USER\\L]\n", 0, 2},
        {"binary junk", head + std::string("\x00\x01\xff\n\x7f", 5), 2, 1},
    };
    for (const BadInput& c : cases) {
        const RegFileParse p = ParseRegFile(c.text);
        EXPECT_EQ(p.skippedLines, c.skipped) << c.what;
        const RegFileKey* key = p.document.FindKey("K");
        ASSERT_NE(key, nullptr) << c.what;
        EXPECT_EQ(key->values.size(), c.valuesKept) << c.what;
        EXPECT_NE(key->Find("Good"), nullptr) << c.what;
    }
}

TEST(RegFile, EmptyAndHeaderOnlyFilesHoldNothing) {
    for (std::string_view text : {"", "\xEF\xBB\xBF", "Windows Registry Editor Version 5.00\r\n",
                                  "REGEDIT4\n\n; a comment\n"}) {
        const RegFileParse p = ParseRegFile(text);
        EXPECT_TRUE(p.document.keys.empty());
        EXPECT_EQ(p.skippedLines, 0u);
    }
}

TEST(RegFile, OversizedValuesAreSkippedNotHeld) {
    const std::string big(kMaxRegValueBytes + 1, 'x');
    const RegFileParse p =
        ParseRegFile("[HKEY_CURRENT_USER\\K]\n\"Big\"=\"" + big + "\"\n\"Small\"=\"ok\"\n");
    EXPECT_EQ(p.skippedLines, 1u);
    EXPECT_EQ(p.document.FindKey("K")->values.size(), 1u);

    // The largest accepted text still reads back after taking its hex form.
    RegFileDocument doc;
    doc.EnsureKey("K").Set(Text("Max", std::string(kMaxRegValueBytes - 1, 'y') + "\n"));
    EXPECT_TRUE(ParseRegFile(SerializeRegFile(doc)).document == doc);
}

TEST(RegFile, KeyTreeOperations) {
    RegFileDocument doc;
    doc.EnsureKey("Software\\Velmora\\Pixolet");
    doc.EnsureKey("Software\\Velmora\\Other\\Deep");
    doc.EnsureKey("Software\\VelmoraX");
    EXPECT_TRUE(doc.HasKey("software\\velmora\\other"));
    EXPECT_FALSE(doc.HasKey("Software\\Velm"));
    EXPECT_EQ(doc.SubkeyNames("Software\\Velmora"), (std::vector<std::string>{"Pixolet", "Other"}));
    EXPECT_EQ(doc.SubkeyNames("SOFTWARE"), (std::vector<std::string>{"Velmora", "VelmoraX"}));

    EXPECT_EQ(doc.EraseTree("software\\VELMORA"), 4u);  // not the sibling "VelmoraX"
    EXPECT_TRUE(doc.HasKey("Software\\VelmoraX"));
    EXPECT_EQ(doc.SubkeyNames("Software"), (std::vector<std::string>{"VelmoraX"}));
}

TEST(RegFile, KeyPathRules) {
    EXPECT_EQ(NormaliseRegKeyPath("\\Software\\Velmora\\"), "Software\\Velmora");
    EXPECT_EQ(NormaliseRegKeyPath(""), "");
    EXPECT_FALSE(NormaliseRegKeyPath("a\\\\b"));
    EXPECT_FALSE(NormaliseRegKeyPath("a\nb"));
    EXPECT_FALSE(NormaliseRegKeyPath(std::string(kMaxRegKeyNameLength + 1, 'k')));
    EXPECT_TRUE(NormaliseRegKeyPath(std::string(kMaxRegKeyNameLength, 'k')));
}

TEST(Utf16Text, ArbitraryBytesSurviveTheRoundTrip) {
    const std::string cases[] = {
        "plain",
        "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",  // 2-, 3- and 4-byte forms
        "\xC0\xAF overlong",
        "\xED\xA0\x80 surrogate",
        "\xF4\x90\x80\x80 too big",
        "\xC3 cut",
        "\x80\xBF\xFF",
    };
    for (const std::string& s : cases) {
        const std::vector<std::uint8_t> units = Utf8ToUtf16Le(s);
        EXPECT_EQ(Utf16LeToUtf8(units), s);
    }
    // A lone surrogate from outside becomes U+FFFD; text ends at NUL.
    const std::vector<std::uint8_t> lone = {0x00, 0xD8, 0x41, 0x00, 0x00, 0x00, 0x42, 0x00};
    EXPECT_EQ(Utf16LeToUtf8(lone),
              "\xEF\xBF\xBD"
              "A");
}

}  // namespace
}  // namespace pixolet
