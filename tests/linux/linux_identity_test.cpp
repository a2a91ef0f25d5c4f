// The Linux provider's names on machine trees, read through the same probes the window runs.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/late_answers.h"
#include "platform/errors.h"
#include "platform/linux/hosts.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/read_file.h"
#include "probes/identity.h"
#include "probes/trapped.h"
#include "probes/wmi_probes.h"
#include "tests/support/recording_controls.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/scratch_machine.h"
#include "tests/support/stalled_server.h"

namespace zarnel {
namespace {

using testing::RecordingControls;

struct MachineNames {
    std::string_view machine;
    std::string_view computerName;  // Text1
    std::string_view dnsHost;       // Text13
    std::string_view dnsDomain;     // Text14
};

class LinuxNames : public ::testing::TestWithParam<MachineNames> {};

TEST_P(LinuxNames, ProbesShowTheMachinesNames) {
    const MachineNames& expected = GetParam();
    LinuxPlatform platform(std::filesystem::path(ZARNEL_FIXTURES_DIR) / expected.machine);
    RecordingControls controls;
    ComputerName(controls, platform);
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text1), expected.computerName);
    EXPECT_EQ(controls.text(Ctl::Text13), expected.dnsHost);
    EXPECT_EQ(controls.text(Ctl::Text14), expected.dnsDomain);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LinuxNames,
    ::testing::Values(
        MachineNames{.machine = "host-short-fqdn-in-hosts",
                     .computerName = "MYHOST",
                     .dnsHost = "myhost",
                     .dnsDomain = "corp.example.com"},
        MachineNames{.machine = "host-fqdn",
                     .computerName = "WEB01",
                     .dnsHost = "web01",
                     .dnsDomain = "prod.example.net"},
        MachineNames{.machine = "host-long-name",
                     .computerName = "BUILD-RUNNER-00",
                     .dnsHost = "build-runner-0042-eu",
                     .dnsDomain = "ci.example.org"},
        // 21 bytes of UTF-8: the computer name keeps the five whole characters in 15 bytes.
        MachineNames{.machine = "host-non-ascii",
                     .computerName = "ホスト名テ",
                     .dnsHost = "ホスト名テスト",
                     .dnsDomain = ""},
        MachineNames{.machine = "host-resolv-domain",
                     .computerName = "KIOSK",
                     .dnsHost = "kiosk",
                     .dnsDomain = "office.example"},
        // Early in boot the kernel has no name yet ("(none)"): the one for the next boot
        // stands in, its root's dot dropped, and its domain still comes from etc/hosts.
        MachineNames{.machine = "host-early-boot",
                     .computerName = "WEB01",
                     .dnsHost = "web01",
                     .dnsDomain = "example.com"},
        MachineNames{.machine = "host-unreadable",
                     .computerName = "FALLBACK",
                     .dnsHost = "fallback",
                     .dnsDomain = ""},
        // No usable name anywhere: the computer name fails unnoticed, the DNS probes say so.
        MachineNames{.machine = "host-garbage",
                     .computerName = "",
                     .dnsHost = "取得できません。",
                     .dnsDomain = "取得できません。"},
        MachineNames{.machine = "no-such-machine",
                     .computerName = "",
                     .dnsHost = "取得できません。",
                     .dnsDomain = "取得できません。"}),
    [](const auto& row) {
        std::string name(row.param.machine);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

// The computer name holds 15 bytes: a first label of exactly 16 is cut as a longer one is, one
// of 15 is kept whole, and the cut never splits a character.
TEST(LinuxNames, ComputerNameIsCutToFifteenBytesAtEveryLength) {
    const std::pair<std::string_view, std::string_view> kRows[] = {
        {"build-runner-004.ci.example.org", "BUILD-RUNNER-00"},
        {"build-runner-00.ci.example.org", "BUILD-RUNNER-00"},
        {"ホスト名テa.example", "ホスト名テ"},  // five characters of three bytes, then one
        {"aホスト名テ.example", "Aホスト名"}};  // the fifteenth byte is inside テ
    for (const auto& [host, name] : kRows) {
        const testing::ScratchMachine machine;
        std::filesystem::create_directories(machine.root() / "etc");
        std::ofstream(machine.root() / "etc/hostname") << host << "\n";
        LinuxPlatform platform(machine.root());
        RecordingControls controls;
        ComputerName(controls, platform);
        EXPECT_EQ(controls.text(Ctl::Text1), name) << host;
    }
}

TEST(LinuxNames, HostNameLongerThanTheBufferReportsMoreData) {
    const testing::ScratchMachine machine;
    const std::filesystem::path& root = machine.root();
    std::filesystem::create_directories(root / "etc");
    std::ofstream(root / "etc/hostname") << std::string(130, 'a') << ".example\n";
    LinuxPlatform platform(root);
    RecordingControls controls;
    DNShoustomei(controls, platform);
    DOMEINmei(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text13), "より多くのデータが使えます。");
    EXPECT_EQ(controls.text(Ctl::Text14), "example");
}

// A blocking list makes etc/hosts megabytes long: the machine's own line at its head still
// gives the domain; a line the reading limit cuts is not read as a shorter name.
TEST(LinuxNames, DomainFromTheHeadOfAHostsFileWithABlockingList) {
    const testing::ScratchMachine scratch;
    const std::filesystem::path& root = scratch.root();
    std::filesystem::create_directories(root / "etc");
    std::ofstream(root / "etc/hostname") << "desk\n";
    std::ofstream(root / "etc/resolv.conf") << "domain resolv.example\n";
    const std::string blocked = "0.0.0.0 ads.tracker.example\n";
    std::string list;
    for (int i = 0; i < 100000; ++i) list += blocked;  // 2.7 MB
    const auto domain = [&root](const std::string& hosts) {
        std::ofstream(root / "etc/hosts") << hosts;
        LinuxPlatform platform(root);
        RecordingControls controls;
        DOMEINmei(controls, platform);
        return controls.text(Ctl::Text14);
    };
    const std::string machine = "127.0.1.1 desk.lan.example desk\n";
    EXPECT_EQ(domain(machine + list), "lan.example");
    // Cut by the limit after "desk.lan.": the resolver's domain, not a partial one.
    const std::size_t cutAfter = std::string_view("127.0.1.1 desk.lan.").size();
    std::string comment(linux_fs::kMaxFileBytes - cutAfter, '-');
    comment.front() = '#';
    comment.back() = '\n';
    EXPECT_EQ(domain(comment + machine + list), "resolv.example");
}

// Oracle: the login of the effective user as `id -un` prints it.
TEST(LinuxNames, UserNameMatchesIdOnThisMachine) {
    FILE* pipe = popen("id -un 2>/dev/null", "r");
    char line[300] = {};
    const bool read = pipe && std::fgets(line, sizeof line, pipe);
    // A user the name service does not know: id prints the number and fails, and the field
    // rightly stays empty.
    const bool known = pipe && pclose(pipe) == 0;
    if (!read) GTEST_SKIP() << "id is not available";
    std::string expected = known ? line : "";
    expected.erase(expected.find_last_not_of('\n') + 1);
    LinuxPlatform platform;
    RecordingControls controls;
    UserName(controls, platform);
    EXPECT_EQ(controls.text(Ctl::Text2), expected);
}

// The user name and the registered owner (a user etc/passwd does not list) on a machine whose
// name service answers with `lookup`.
struct NameServiceOutcome {
    int userNameResult;
    std::uint32_t error;
    std::string userName;
    WmiValue registeredUser;
};

NameServiceOutcome askNames(const linux_fs::NameService& service) {
    const testing::ScratchMachine machine;  // no etc/passwd of its own
    LinuxPlatform platform(machine.root());
    platform.nameService = service;
    std::array<char, 257> buffer{};
    std::uint32_t len = buffer.size();
    NameServiceOutcome outcome{.userNameResult = platform.getUserName(buffer, len),
                               .error = platform.lastError(),
                               .userName = buffer.data(),
                               .registeredUser = {}};
    const auto systems = platform.wmiInstances("Win32_OperatingSystem");
    for (const auto& [name, value] : systems.at(0)) {
        if (name == "RegisteredUser") outcome.registeredUser = value;
    }
    return outcome;
}

TEST(LinuxNames, UserFromTheNameServiceOrAFailureThatSaysWhy) {
    const linux_fs::UserEntry alice{.login = "alice", .gecos = "Alice Liddell,,,", .home = "/a"};
    const auto found = askNames(linux_fs::NameService([&] { return linux_fs::UserLookup(alice); }));
    EXPECT_NE(found.userNameResult, 0);
    EXPECT_EQ(found.userName, "alice");
    EXPECT_EQ(found.registeredUser, WmiValue(std::string("Alice Liddell")));

    const auto unknown = askNames(linux_fs::NameService([] { return linux_fs::UserLookup(); }));
    EXPECT_EQ(unknown.userNameResult, 0);
    EXPECT_EQ(unknown.error, win32_error::kFileNotFound);
    EXPECT_EQ(unknown.registeredUser, WmiValue());
}

// A user kept on a directory server that went away: the user name fails as not ready after one
// short wait, and the registered owner does not wait again while that question is unanswered.
TEST(LinuxNames, AUserOnADirectoryWhoseServerIsGoneFailsAfterOneShortWait) {
    const testing::StalledServer server;
    const auto gone = askNames(linux_fs::NameService([server] {
        server.hold();
        return linux_fs::UserLookup(linux_fs::UserEntry{.login = "bob", .gecos = "", .home = ""});
    }));
    EXPECT_EQ(gone.userNameResult, 0);
    EXPECT_EQ(gone.error, win32_error::kNotReady);
    EXPECT_EQ(gone.registeredUser, WmiValue());
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
    server.answer();
}

// The directory answering after the window opened without it: the window is told, and the
// user name and the owner are shown from that answer, without asking again.
TEST(LinuxNames, ADirectorysLateAnswerIsShown) {
    const testing::StalledServer server;
    const testing::ScratchMachine machine;  // no etc/passwd of its own
    LinuxPlatform platform(machine.root());
    platform.askNameServiceBy([server] {
        server.hold();
        return linux_fs::UserLookup(
            linux_fs::UserEntry{.login = "bob", .gecos = "Bob Example", .home = "/b"});
    });
    RecordingControls controls;
    UserName(controls, platform);
    TourokuKaisya(controls, platform);
    ASSERT_EQ(controls.text(Ctl::Text2), "");
    ASSERT_EQ(controls.text(Ctl::Text12), kTrapped);

    server.answer();
    constexpr int kLongWhileMs = 30'000;
    pollfd told{.fd = platform.lateShareAnswers.descriptor(), .events = POLLIN, .revents = 0};
    ASSERT_EQ(::poll(&told, 1, kLongWhileMs), 1);
    platform.showLateAnswers([&](const LateNews&) { showMissingFactsAgain(controls, platform); });
    EXPECT_EQ(controls.text(Ctl::Text2), "bob");
    EXPECT_EQ(controls.text(Ctl::Text12), "Bob Example");
    EXPECT_EQ(server.callsOnceOneArrived(), 1);
}

// Without $HOME the home folder is the user's entry's: a directory that answers only after the
// window opened tells it then, and the folders below it are found from that answer on.
TEST(LinuxNames, AHomeTheDirectoryToldLateIsLearned) {
    const testing::ScopedVariable noHome("HOME", nullptr);
    const testing::StalledServer server;
    const testing::ScratchMachine machine;
    LinuxPlatform platform(machine.root());
    platform.askNameServiceBy([server] {
        server.hold();
        return linux_fs::UserLookup(linux_fs::UserEntry{.login = "bob", .gecos = "", .home = "/b"});
    });
    platform.environment.home = "";  // as the directory left it when the window opened
    RecordingControls controls;
    UserName(controls, platform);
    ASSERT_EQ(controls.text(Ctl::Text2), "");

    server.answer();
    constexpr int kLongWhileMs = 30'000;
    pollfd told{.fd = platform.lateShareAnswers.descriptor(), .events = POLLIN, .revents = 0};
    ASSERT_EQ(::poll(&told, 1, kLongWhileMs), 1);
    LateNews news;
    platform.showLateAnswers([&news](const LateNews& late) { news = late; });
    EXPECT_EQ(platform.environment.home, "/b");
    EXPECT_TRUE(news.homeLearnt);
    platform.showLateAnswers([&news](const LateNews& late) { news = late; });
    EXPECT_FALSE(news.homeLearnt) << "learnt once";
}

TEST(HostsParsing, FirstQualifiedAliasOfTheHostGivesTheDomain) {
    constexpr std::string_view hosts =
        "127.0.0.1 localhost\n"
        "10.0.0.5 other.example.com other\n"
        "# 10.0.0.9 pc.commented.example pc\n"
        "10.0.0.9 pc PC.Lab.Example pc.second.example\n";
    EXPECT_EQ(linux_fs::domainFromHosts(hosts, "pc"), "Lab.Example");
    EXPECT_EQ(linux_fs::domainFromHosts(hosts, "other"), "example.com");
    EXPECT_EQ(linux_fs::domainFromHosts(hosts, "oth"), std::nullopt);
    EXPECT_EQ(linux_fs::domainFromHosts(hosts, ""), std::nullopt);
    // An address alone, or a name that only starts like the host, gives nothing.
    EXPECT_EQ(linux_fs::domainFromHosts("10.0.0.1\n10.0.0.2 pcx.example\n", "pc"), std::nullopt);
    // Named on two lines, the host has the domain of the first, as the resolver answers.
    EXPECT_EQ(linux_fs::domainFromHosts(
                  "127.0.1.1 pc.home.example pc\n10.0.0.9 pc.office.example pc\n", "pc"),
              "home.example");
}

TEST(HostsParsing, ResolvConfLastDomainWinsAndSearchIsNotADomain) {
    EXPECT_EQ(linux_fs::domainFromResolvConf("search a.example\n"), std::nullopt);
    EXPECT_EQ(linux_fs::domainFromResolvConf("domain one.example\ndomain two.example\n"),
              "two.example");
    EXPECT_EQ(linux_fs::domainFromResolvConf("; domain commented.example\ndomain\n"), std::nullopt);
}

// The root's dot, comment lines and the kernel's placeholder for no name are no part of it.
TEST(HostsParsing, HostNameIsTheNameItselfWhateverSurroundsIt) {
    EXPECT_EQ(linux_fs::parseHostname("web01.example.com.\n"), "web01.example.com");
    EXPECT_EQ(linux_fs::parseHostname(".\n"), std::nullopt);
    EXPECT_EQ(linux_fs::parseHostname("(none)\n"), std::nullopt);
    EXPECT_EQ(linux_fs::parseHostname("# set by the installer\n\nweb01\n"), "web01");
    EXPECT_EQ(linux_fs::parseHostname("# only a comment\n"), std::nullopt);
    EXPECT_EQ(linux_fs::domainFromHosts("127.0.1.1 web01.example.com. web01\n", "web01"),
              "example.com");
    EXPECT_EQ(linux_fs::domainFromResolvConf("domain example.com.\n"), "example.com");
    // Dots alone name no domain: the next name does, or none.
    EXPECT_EQ(linux_fs::domainFromHosts("10.0.0.1 pc.. pc.example\n", "pc"), "example");
    EXPECT_EQ(linux_fs::domainFromResolvConf("domain lab.example\ndomain .\n"), "lab.example");
}

TEST(HostsParsing, HostNameMustBePrintableText) {
    EXPECT_EQ(linux_fs::parseHostname("  box \nsecond line"), "box");
    EXPECT_EQ(linux_fs::parseHostname(""), std::nullopt);
    EXPECT_EQ(linux_fs::parseHostname(" \n"), std::nullopt);
    EXPECT_EQ(linux_fs::parseHostname("bad\x01name"), std::nullopt);
    EXPECT_EQ(linux_fs::parseHostname("\xe3\x83"), std::nullopt);  // cut in a character
    EXPECT_EQ(linux_fs::parseHostname("名前"), "名前");
}

}  // namespace
}  // namespace zarnel
