// platform-dump on the fake provider: what it writes for answers, failures and missing
// functions, and the JSON it writes them in.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/errors.h"
#include "platform/fake/fake_platform.h"
#include "tools/platform-dump/dump.h"
#include "tools/platform-dump/json_writer.h"
#include "window/special_folders.h"

namespace zarnel::tools {
namespace {

TEST(JsonWriter, NestsIndentsAndEscapes) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject();
    json.key("text").value("a\"b\\c\nd\x01");
    json.key("list").beginArray();
    json.value(std::int64_t{-1});
    json.value(std::uint64_t{18'446'744'073'709'551'615u});
    json.null();
    json.beginObject();
    json.endObject();
    json.endArray();
    json.key("flag").value(true);
    json.endObject();
    EXPECT_EQ(out.str(),
              "{\n"
              "  \"text\": \"a\\\"b\\\\c\\nd\\u0001\",\n"
              "  \"list\": [\n"
              "    -1,\n"
              "    18446744073709551615,\n"
              "    null,\n"
              "    {}\n"
              "  ],\n"
              "  \"flag\": true\n"
              "}\n");
}

// A carriage return in a firmware string or a label is written short, as the Win32 dump's
// printer writes it; other C0 bytes as \u escapes; DEL and UTF-8 as they are.
TEST(JsonWriter, WritesCarriageReturnShortAndOtherBytesAsJsonAsks) {
    std::ostringstream out;
    JsonWriter json(out);
    json.value("a\rb\x1f\x7f取得");
    EXPECT_EQ(out.str(), "\"a\\rb\\u001f\x7f取得\"");
}

std::string dumpOf(FakePlatform& platform) {
    std::ostringstream out;
    JsonWriter json(out);
    dumpPlatform(platform, json);
    return out.str();
}

TEST(PlatformDump, WritesEachAnswerWithItsResultAndLastError) {
    FakePlatform platform;
    platform.records.computerName = "DUMPPC";
    const std::string dump = dumpOf(platform);
    EXPECT_NE(dump.find("\"call\": \"GetComputerNameA\",\n"
                        "      \"result\": 1,\n"
                        "      \"lastError\": 0,\n"
                        "      \"len\": 6,\n"
                        "      \"text\": \"DUMPPC\""),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"totalPhys\": 536346624"), std::string::npos);
    EXPECT_NE(dump.find("\"entry\": \"c: [/]\",\n        \"root\": \"c:\\\\\""), std::string::npos);
    EXPECT_NE(dump.find("\"Name\": \"Fake Processor 2400\""), std::string::npos);
}

TEST(PlatformDump, MissingFunctionsAndFailuresAreWrittenInsteadOfAnswers) {
    FakePlatform platform;
    platform.missing.insert("GetComputerNameExA");
    platform.failures["GetDiskFreeSpaceExA"] = win32_error::kNotReady;
    platform.records.wmiAvailable = false;
    const std::string dump = dumpOf(platform);
    EXPECT_NE(dump.find("\"call\": \"GetComputerNameExA(1)\",\n"
                        "      \"bindingError\": \"function not available: GetComputerNameExA\""),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"call\": \"GetDiskFreeSpaceExA\",\n"
                        "          \"result\": 0,\n"
                        "          \"lastError\": 21,"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"call\": \"Win32_BIOS\",\n      \"error\": \"winmgmts: not available\""),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"call\": \"GetUserNameA\",\n      \"result\": 1"), std::string::npos)
        << "the other questions are still asked";
}

TEST(PlatformDump, AsksForEveryFolderOfTheListWithoutCreatingIt) {
    FakePlatform platform;
    dumpOf(platform);
    int asked = 0;
    for (const std::string& call : platform.calls) {
        if (!call.starts_with("SHGetFolderPathA(")) continue;
        ++asked;
        const int csidl = std::stoi(call.substr(call.find(',') + 1));
        EXPECT_EQ(csidl & kCsidlFlagCreate, 0) << call;
    }
    EXPECT_EQ(asked, static_cast<int>(kCombo1Folders.size()));
}

}  // namespace
}  // namespace zarnel::tools
