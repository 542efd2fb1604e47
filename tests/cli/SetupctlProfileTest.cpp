// setupctl as the admin of a room of seats runs it: profiles that every
// seat takes, the nightly check, refusals a script can read.
#include "SetupctlFixture.h"

namespace {

using namespace setupctl_test;

const char kHead[] = R"({"format": "setupctl-profile", "version": 1)";

// A seat left dirty by hand: a saved value no slider shows, a registry value
// of another type. Its profile would be refused by every seat, so it is not
// written; set right, it goes round and the seat matches it.
TEST_F(Setupctl, WhatExportWritesImportTakesOnTheSameSeat)
{
    client::Write(kSaved, std::string(kForeign) + "OptionInfoList[\"SPRITEMODE\"] = 7\r\n");
    probe::Write(probe::kProductKey, "SOUNDMODE", 1, {'1', 0});
    const auto before = Snapshot();
    const command::Result refused = Run({"export", "p.json"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(Contains(refused.err, "setupctl: SPRITEMODE=7: SPRITEMODE takes 0 to 2")) << refused.err;
    EXPECT_TRUE(Contains(refused.err, "setupctl: SOUNDMODE=49: SOUNDMODE takes 0 to 1")) << refused.err;
    EXPECT_EQ(Snapshot(), before);
    const std::string checked = Run({"check"}).out;
    EXPECT_TRUE(Contains(checked, "OptionInfo.lua:2: SPRITEMODE is 7")) << checked;
    EXPECT_TRUE(Contains(checked, "registry: SOUNDMODE is REG_SZ")) << checked;

    ASSERT_EQ(Run({"set", "SPRITEMODE=1", "SOUNDMODE=1", "Bgm_Volume=0"}).exitCode, 0);
    const command::Result exported = Run({"export", "p.json"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const command::Result imported = Run({"import", "p.json"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(Run({"diff", "p.json"}).exitCode, 0);
    EXPECT_EQ(client::Read(kSaved), kForeign + SavedBlocks({{"Bgm_Volume", 0}, {"SPRITEMODE", 1}}));
}

// The nightly check: nothing written, whatever it finds.
TEST_F(Setupctl, DiffTellsEachDriftedSettingWithoutWriting)
{
    client::Write(kSaved, kForeign);
    ASSERT_EQ(Run({"export", "p.json"}).exitCode, 0);
    const command::Result same = Run({"diff", "p.json"});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(Run({"diff", "--json", "p.json"}).out, "{\"matches\": true, \"differences\": [], \"replacedBytes\": 0}\n");

    ASSERT_EQ(Run({"set", "Bgm_Volume=5", "/fog=0"}).exitCode, 0);
    client::Write("bad.json", std::string(kHead) + R"(, "settings": {"Bgm_Volume": 500}})");
    const auto before = Snapshot();
    const command::Result drifted = Run({"diff", "p.json"});
    EXPECT_EQ(drifted.exitCode, 1);
    EXPECT_EQ(drifted.out, "Bgm_Volume: 5 here, 100 in the profile\n/fog: 0 here, 1 in the profile\n");
    EXPECT_TRUE(Contains(Run({"diff", "--json", "p.json"}).out,
                         R"({"matches": false, "differences": [{"name": "Bgm_Volume", "seat": 5, "profile": 100}, )"));
    EXPECT_EQ(Run({"diff", "bad.json"}).exitCode, 2);
    EXPECT_EQ(Snapshot(), before);

    ASSERT_EQ(Run({"import", "p.json"}).exitCode, 0);
    EXPECT_EQ(Run({"diff", "p.json"}).exitCode, 0);
}

// PowerShell 5.1 writes UTF-8 with a byte-order mark, and UTF-16 with >.
TEST_F(Setupctl, ProfilesAsWindowsToolsWriteThem)
{
    client::Write("bom.json", "\xEF\xBB\xBF" + std::string(kHead) + R"(, "settings": {"Bgm_Volume": 9}})" + "\r\n");
    const command::Result taken = Run({"import", "bom.json"});
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
    EXPECT_TRUE(Contains(client::Read(kSaved), "[\"Bgm_Volume\"] = 9\r\n"));

    std::string wide = "\xFF\xFE";
    for (const char c : std::string(kHead) + "}")
        wide += std::string{c, '\0'};
    client::Write("wide.json", wide);
    const auto before = Snapshot();
    const command::Result refused = Run({"import", "wide.json"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(Contains(refused.err, "setupctl: wide.json: the profile is UTF-16, not UTF-8")) << refused.err;
    EXPECT_EQ(Snapshot(), before);

    EXPECT_EQ(Run({"export", "/fog", "Bgm_Volume"}).out,
              std::string(kHead) + R"(, "settings": {"/fog": 1, "Bgm_Volume": 9}, "replacedBytes": 0})" + "\n");
#ifndef _WIN32
    const command::Result piped =
        command::Run("/bin/sh", {"-c", "\"$0\" export Effect_Volume | sed s/100/44/ | \"$0\" import -", kSetupctl},
                     fs::current_path().string());
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_TRUE(Contains(client::Read(kSaved), "[\"Effect_Volume\"] = 44\r\n"));
#endif
}

// A script that asked for JSON reads its refusal as JSON; a terminal never
// gets a profile's control characters, nor a value of a megabyte.
TEST_F(Setupctl, RefusalsAreJsonForScriptsAndSafeForTerminals)
{
    const std::string driver(900000, 'D');
    client::Write("p.json", std::string(kHead) + R"(, "settings": {"\u001b]0;owned\u0007": 1}})");
    client::Write("long.json", std::string(kHead) + R"(, "device": {"driver": ")" + driver +
                                   R"(", "type": "{00000000-0000-0000-0000-000000000000}"}})");
    const auto before = Snapshot();
    const command::Result refused = Run({"import", "--json", "p.json"});
    EXPECT_EQ(refused.exitCode, 2);
    JsonValue error;
    std::string why;
    ASSERT_TRUE(ReadJson(refused.out, error, why)) << why << refused.out;
    ASSERT_NE(error.Member("error"), nullptr) << refused.out;
    EXPECT_EQ(error.Member("error")->Member("code")->integer, 2);
    EXPECT_EQ(error.Member("error")->Member("message")->text,
              "p.json: unknown field \"settings.\\x1B]0;owned\\x07\"; nothing was written");
    EXPECT_EQ(refused.err, "setupctl: p.json: unknown field \"settings.\\x1B]0;owned\\x07\"; nothing was written\n");

    const command::Result cut = Run({"import", "long.json"});
    EXPECT_EQ(cut.exitCode, 2);
    EXPECT_LT(cut.err.size(), 4000u);
    EXPECT_TRUE(Contains(cut.err, "DDD... (907 bytes, cut at 200)") || Contains(cut.err, "... (900")) << cut.err;
    EXPECT_EQ(Run({"--json", "show", "--nosuch"}).out.substr(0, 20), "{\"error\": {\"code\": 2");
    EXPECT_EQ(Snapshot(), before);
}

}  // namespace
