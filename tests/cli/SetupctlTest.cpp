// setupctl in a client folder: what it shows, what it saves, what it refuses.
#include "SetupctlFixture.h"

#include <cctype>

#ifdef _WIN32
#include "display/DisplayDevice.h"
#include "display/ModeLine.h"
#include "session/ListedModes.h"
#endif

namespace {

using namespace setupctl_test;

TEST_F(Setupctl, ShowTellsWhereEachValueCameFromAndNeitherShowNorCheckWrites)
{
    const auto before = Snapshot();
    const command::Result shown = Run({"show", "--json"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    for (const char* expected : {
             R"("WIDTH": {"value": 800, "source": "saved file"})",
             R"("Bgm_Volume": {"value": 100, "source": "option script"})",
             R"("SOUNDMODE": {"value": 0, "source": "registry"})",
             R"("SPRITEMODE": {"value": 2, "source": "default"})",
             R"("PROVIDERNAME": {"value": "No Provider", "source": "default"})",
             R"("foreignLines": 1, "replacedBytes": 0})"})
        EXPECT_TRUE(Contains(shown.out, expected)) << expected << " in " << shown.out;
    EXPECT_EQ(Run({"show", "/fog", "HEIGHT"}).out.substr(0, 4), "/fog");
    Run({"check"});
    Run({"check", "--json"});
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Setupctl, SetSavesTheChangesAsTheSheetDoes)
{
    const command::Result set = Run({"set", "Bgm_Volume=70", "/fog=0", "SPRITEMODE=1", "/aura=1"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out.substr(0, set.out.find("registry")), "Bgm_Volume: 100 -> 70\nSPRITEMODE: 2 -> 1\n/fog: 1 -> 0\n");
    EXPECT_EQ(client::Read(kSaved),
              kForeign + SavedBlocks({{"Bgm_Volume", 70}, {"WIDTH", 800}, {"SPRITEMODE", 1}, {"/fog", 0}}));
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(0));

    const command::Result reset = Run({"reset"});
    ASSERT_EQ(reset.exitCode, 0) << reset.err;
    EXPECT_TRUE(Contains(reset.out, "Bgm_Volume: 70 -> 100\n"));
    EXPECT_TRUE(Contains(reset.out, "SOUNDMODE: 0 -> 1\n"));
    EXPECT_EQ(client::Read(kSaved), kForeign + SavedBlocks({}));
}

TEST_F(Setupctl, ADryRunAndEveryRefusalWriteNothing)
{
    const auto before = Snapshot();
    const std::string dryRun = Run({"set", "--dry-run", "Bgm_Volume=5"}).out;
    EXPECT_EQ(dryRun.substr(0, dryRun.find("registry")), "Bgm_Volume: 100 -> 5\n");
    EXPECT_EQ(Run({"reset", "--dry-run"}).exitCode, 0);
    const char* const refused[] = {
        "Zoom=1",         "Bgm_Volume=128", "Effect_Volume=-1", "SPRITEMODE=3",  "/fog=2",
        "/fog=",          "Bgm_Volume=7x",  "WIDTH=800",        "MODECNT=1",     "DEVICENAME=x",
        "PROVIDERNAME=x", "novalue",        "=5",               "device=99",     "mode=123x45x16",
        "Bgm_Volume=2",
    };
    for (const char* pair : refused) {
        const command::Result result = Run({"set", "Bgm_Volume=1", pair});
        EXPECT_EQ(result.exitCode, 2) << pair;
        EXPECT_TRUE(Contains(result.err, pair)) << result.err;
        EXPECT_TRUE(result.out.empty()) << pair;
    }
    EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Run({"show", "--dry-run"}).exitCode, 2);
    EXPECT_EQ(Run({"show", "NOSUCH"}).exitCode, 2);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(Setupctl, CheckFindsNothingInASoundFolder)
{
    client::Write(kSaved, kForeign);
    Run({"set", "/fog=0"});  // a save stores every registry value
    const command::Result checked = Run({"check"});
    EXPECT_EQ(checked.exitCode, 0) << checked.out;
    EXPECT_EQ(checked.out, "");
    EXPECT_EQ(Run({"check", "--json"}).out, "{\"findings\": [], \"replacedBytes\": 0}\n");
}

// Values the pages cannot show, with the line that gave them, and registry
// values of the wrong type or size; a script that did not load says why.
TEST_F(Setupctl, CheckNamesWhatWasNotUsedAndWhere)
{
    client::Write(kSaved, std::string(kForeign) +
                              "OptionInfoList[\"Bgm_Volume\"] = 200\r\n"
                              "OptionInfoList[\"WIDTH\"] = \"1024\"\r\n"
                              "CmdOnOffList[\"/fog\"] = 2\r\n");
    client::Write(std::string(client::kMessageScript) + ".lua", "SetupMSG = {\n  ISOK = 5,\n");
    probe::Write(probe::kProductKey, "SOUNDMODE", 1, {'1', 0});
    probe::Write(probe::kProductKey, "GUIDDEVICE", 3, std::vector<uint8_t>(12, 7));

    const command::Result checked = Run({"check"});
    EXPECT_EQ(checked.exitCode, 1);
    for (const char* expected : {
             "SaveData\\OptionInfo.lua:2: Bgm_Volume is 200; the volume slider goes from 0 to 127\n",
             "SaveData\\OptionInfo.lua:3: OptionInfoList[\"WIDTH\"] holds a string, not a number\n",
             "SaveData\\OptionInfo.lua:4: /fog is 2; a switch is 0 or 1\n",
             "System\\LuaFiles514\\MsgString.lua:3: unexpected symbol near '<eof>'\n",
             "registry: SOUNDMODE is REG_SZ, not REG_DWORD\n",
             "registry: GUIDDEVICE holds 12 bytes, not 16\n",
             "registry: SPEAKERTYPE is missing\n"})
        EXPECT_TRUE(Contains(checked.out, expected)) << expected << " in\n" << checked.out;
    EXPECT_TRUE(Contains(Run({"check", "--json"}).out,
                         R"({"place": "SaveData\\OptionInfo.lua", "line": 4, "message": "/fog is 2; a switch is 0 or 1"})"));
}

// A saved file Lua cannot compile: check tells where Lua stopped, that the
// values were read line by line, which keys had no line, and which kept line
// a save would set aside; set sets it aside and says so.
TEST_F(Setupctl, ABrokenSavedFileIsReadLineByLineAndTheLineThatBreaksItSetAside)
{
    client::Write(kSaved, std::string(kForeign) + "t = {\r\nOptionInfoList[\"WIDTH\"] = 800\r\n");
    const command::Result checked = Run({"check"});
    for (const char* expected : {
             "SaveData\\OptionInfo.lua:3: '}' expected (to close '{' at line 2) near '='\n",
             "SaveData\\OptionInfo.lua: Lua cannot read the file, so its values were taken line by line",
             ": no usable line for Bgm_Volume, Effect_Volume, MouseExclusive, ISFULLSCREENMODE, HEIGHT,",
             "SaveData\\OptionInfo.lua:2: a save would set this line aside as a comment"})
        EXPECT_TRUE(Contains(checked.out, expected)) << expected << " in\n" << checked.out;

    const command::Result set = Run({"set", "/fog=0"});
    EXPECT_EQ(set.exitCode, 0);
    EXPECT_TRUE(Contains(set.out, "\nSaveData\\OptionInfo.lua: line 2, written there by others,")) << set.out;
    EXPECT_EQ(client::Read(kSaved),
              kForeign + std::string("-- t = {\r\n") + SavedBlocks({{"WIDTH", 800}, {"/fog", 0}}));
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A name in the client's code page comes out as UTF-8; a byte no character
// of it begins, as U+FFFD, counted. The four values a save resets are shown
// as the registry holds them.
TEST_F(Setupctl, ShowGivesUtf8AndTheValuesASaveResets)
{
    probe::Write(probe::kProductKey, "PROVIDERNAME", 1, Bytes(std::string("\xC7\xD1\xB1\xDB \xFF", 6) + '\0'));
    probe::Write(probe::kProductKey, "SPEAKERTYPE", 4, probe::Dword(3));
    const command::Result shown = Run({"--codepage", "949", "show", "--json", "PROVIDERNAME", "SPEAKERTYPE"});
    EXPECT_EQ(shown.out, "{\"settings\": {\"PROVIDERNAME\": {\"value\": \"\xED\x95\x9C\xEA\xB8\x80 \xEF\xBF\xBD\", "
                         "\"source\": \"registry\", \"aSaveResetsItTo\": \"No Provider\"}, \"SPEAKERTYPE\": "
                         "{\"value\": 3, \"source\": \"registry\", \"aSaveResetsItTo\": 0}}, \"foreignLines\": 1, "
                         "\"replacedBytes\": 1}\n");
    JsonValue parsed;
    std::string why;
    EXPECT_TRUE(ReadJson(shown.out, parsed, why)) << why;
    EXPECT_EQ(Run({"show", "SPEAKERTYPE", "--value"}).out, "3\n");
    const std::string dryRun = Run({"set", "--dry-run", "/fog=0"}).out;
    EXPECT_TRUE(Contains(dryRun, "registry: SPEAKERTYPE: 3 -> 0 (every save resets it)\n")) << dryRun;
    EXPECT_TRUE(Contains(dryRun, "registry: DIGITALBITSTYPE: (missing) -> 0\n")) << dryRun;
}

// Each finding at the line its value came from, quoting it as written, in
// line order; lines a save drops and keys in another case among them.
TEST_F(Setupctl, CheckQuotesEachValueAtItsLineInOrder)
{
    client::Write(kSaved, "CmdOnOffList[\"/lightmap\"] = -2.9\r\n"
                          "-- WIDTH set below\r\n"
                          "OptionInfoList[\"TEXTUREMODE\"] = 99999999999 -- high\r\n"
                          "OptionInfoList[\"BGM_VOLUME\"] = 3\r\n"
                          "OptionInfoList[\"WIDTH\"] = \"x\"\r\n"
                          "OptionInfoList[\"Bgm_Volume\"] = 200\r\n");
    const std::string checked = Run({"check"}).out;
    const std::string saved = "SaveData\\OptionInfo.lua:";
    EXPECT_EQ(checked.substr(0, checked.find("registry:")),
              saved + "1: /lightmap is -2.9 (taken as -2); a switch is 0 or 1\n" + saved +
                  "2: a save drops this line, because it mentions WIDTH: \"-- WIDTH set below\"\n" + saved +
                  "3: TEXTUREMODE is 99999999999 (taken as -2147483648); the detail slider goes from 0 to 2\n" +
                  saved + "4: \"BGM_VOLUME\" is not Bgm_Volume: keys are read in their exact letter case, so the "
                          "client ignores this one\n" +
                  saved + "5: OptionInfoList[\"WIDTH\"] holds a string, not a number\n" + saved +
                  "6: Bgm_Volume is 200; the volume slider goes from 0 to 127\n");
}

// One mistyped -C must not write the machine's registry.
TEST_F(Setupctl, SavesOnlyIntoAClientFolder)
{
    const TempFolder other;
    const auto before = Snapshot();
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"set", "/fog=0"}, {"reset"}, {"export"}, {"export", "p.json"}}) {
        std::vector<std::string> arguments = {"-C", other.path().string()};
        arguments.insert(arguments.end(), words.begin(), words.end());
        const command::Result refused = Run(arguments);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(Contains(refused.err, "setupctl: " + other.path().string() + " is no client folder")) << refused.err;
    }
    EXPECT_TRUE(fs::is_empty(other.path()));
    EXPECT_EQ(Snapshot(), before);
}

[[maybe_unused]] std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A profile made in one folder, applied in another: the device is found by
// its driver and type; one that is not here is refused, listing this seat's,
// unless --device=default. A file named is the caller's, not the -C folder's.
TEST_F(Setupctl, ImportAppliesAProfileExportedOnAnotherSeat)
{
    const std::string made = folder_.path().string();
    fs::remove(kSaved);  // its 800 x 480 is no listed mode
    const TempFolder seat;
    fs::copy(SETUP_DEMO_FOLDER "/System", "System", fs::copy_options::recursive);
    ASSERT_EQ(Run({"-C", made, "set", "Bgm_Volume=33", "/fog=0"}).exitCode, 0);
    ASSERT_EQ(Run({"-C", made, "export", "profile.json"}).exitCode, 0);
    const std::string profile = client::Read("profile.json");
    EXPECT_EQ(Run({"-C", made, "export"}).out, profile.substr(0, profile.size() - 2) + "\n");
    EXPECT_EQ(profile.substr(profile.size() - 3), "}\r\n");

    client::Write("elsewhere.json", R"({"format": "setupctl-profile", "version": 1, "settings": {"Bgm_Volume": 33},)"
                                    R"( "device": {"driver": "Elsewhere", "type": "{00000000-0000-0000-0000-000000000000}"}})");
    const command::Result missing = Run({"import", "elsewhere.json"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(Contains(missing.err, "setupctl: device=Elsewhere/{")) << missing.err;
    EXPECT_FALSE(fs::exists("savedata"));  // as a save names it where none was
    const command::Result taken = Run({"import", "--device=default", "elsewhere.json"});
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
    EXPECT_TRUE(Contains(taken.out, "is not here")) << taken.out;
    EXPECT_TRUE(Contains(client::Read("savedata/OptionInfo.lua"), "[\"Bgm_Volume\"] = 33\r\nOptionInfoList"));
#ifdef _WIN32
    const command::Result found = Run({"import", "--json", "profile.json"});
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_TRUE(Contains(found.out, "\"notes\": []")) << found.out;
    client::Write("mode.json", Replaced(profile, "\"mode\": \"", "\"mode\": \"1"));
    EXPECT_TRUE(Contains(Run({"import", "mode.json"}).err, ", which lists 640x480x16"));
#endif
}

// Whatever is no profile this setupctl reads is refused, saying what was
// not understood, before anything is written.
TEST_F(Setupctl, ImportRefusesWhatItDoesNotUnderstand)
{
    const std::string head = R"({"format": "setupctl-profile", "version": 1)";
    const std::pair<std::string, const char*> cases[] = {
        {R"({"format": "other", "version": 1})", "format \"other\" is not"},
        {R"({"format": "setupctl-profile", "version": 2})", "version 2 is not"},
        {head + R"(, "colour": 1})", "unknown field \"colour\""},
        {head + R"(, "settings": {"Zoom": 1}})", "unknown field \"settings.Zoom\""},
        {head + R"(, "device": {"driver": "primary", "type": "{0}", "slot": 1}})", "\"device.slot\""},
        {head + R"(, "settings": {"Bgm_Volume": "5"}})", "a string, not a whole number"},
        {head + R"(, "mode": 640})", "\"mode\" is a number, not a string"},
        {head + R"(, "settings": {"Bgm_Volume": 500}})", "Bgm_Volume takes 0 to 127"},
        {head + R"(, "settings": {"Bgm_Volume": 5, "Bgm_Volume": 6}})", "is there twice"},
        {head + R"(, "settings": {"Bgm_Volume": 5)", "line 1: ',' or '}' expected"},
        {head + ", \"mode\": \"\xC0\"}", "not UTF-8"},
        {std::string(40, '['), "nested deeper than"},
    };
    for (const auto& [profile, told] : cases) {
        client::Write("p.json", profile);
        const auto before = Snapshot();
        const command::Result refused = Run({"import", "p.json"});
        EXPECT_EQ(refused.exitCode, 2) << profile;
        EXPECT_TRUE(Contains(refused.err, told)) << told << " in " << refused.err;
        EXPECT_EQ(Snapshot(), before) << profile;
    }
}

#ifndef _WIN32
// Two sets started together, round after round: each waits for the other's
// save, so every file is whole and both changes are kept.
TEST_F(Setupctl, TwoSetsAtOnceKeepBothChanges)
{
    const std::string both = "\"$0\" set Bgm_Volume=$1 & a=$!; \"$0\" set Effect_Volume=$1 & b=$!; "
                             "wait $a || exit 1; wait $b || exit 2";
    for (int round = 1; round <= 20; ++round) {
        const std::string value = std::to_string(round);
        const command::Result run =
            command::Run("/bin/sh", {"-c", both, kSetupctl, value}, fs::current_path().string());
        ASSERT_EQ(run.exitCode, 0) << round << run.err;
        ASSERT_EQ(client::Read(kSaved),
                  kForeign + SavedBlocks({{"Bgm_Volume", round}, {"Effect_Volume", round}, {"WIDTH", 800}}))
            << round;
    }
}

TEST_F(Setupctl, WithoutADisplayAModeIsRefused)
{
    const command::Result result = Run({"set", "mode=640x480x16"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(Contains(result.err, "no display device"));
}
#else
// Where DirectDraw lists the displays, the mode and the device are checked
// against the Device and Mode lists the page would show.
TEST_F(Setupctl, CheckTellsAModeAndADeviceThePageWouldNotShow)
{
    client::Write(kSaved, std::string(kForeign) +
                              "OptionInfoList[\"MODECNT\"] = 1\r\n"
                              "OptionInfoList[\"WIDTH\"] = 1024\r\nOptionInfoList[\"HEIGHT\"] = 768\r\n");
    const std::string checked = Run({"check"}).out;
    EXPECT_TRUE(Contains(checked, "SaveData\\OptionInfo.lua:2: MODECNT 1 names 768x576x16, but WIDTH, "
                                  "HEIGHT and BITPERPIXEL name 1024x768x16\n"))
        << checked;

    client::Write(kSaved, "OptionInfoList[\"DEVICECNT\"] = 7\r\n");
    EXPECT_TRUE(Contains(Run({"check"}).out, "SaveData\\OptionInfo.lua:1: DEVICECNT 7 is not a line of the Device list"));
}

// The devices the Device list shows, with the Mode list of each, as this
// process finds them through the same enumeration.
TEST_F(Setupctl, DevicesListWhatTheDeviceListShows)
{
    const command::Result listed = Run({"devices", "--json"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    ASSERT_EQ(BuildDisplayDeviceList([](const DriverCaps&, const DeviceCaps&) { return 0; }),
              kDevicesListed);
    for (int position = 0; const DisplayDevice* device = FindUsableDevice(position); ++position) {
        ScreenMode modes[ScreenModeList::kSize];
        const int count = ListModes(*device, modes);
        std::string lines;
        for (int i = 0; i < count; ++i)
            lines += std::string(i > 0 ? ", " : "") + "\"" + CompactModeText(modes[i]) + "\"";
        const std::string expected = std::string("\"name\": \"") + device->description +
                                     "\", \"driver\": ";
        EXPECT_TRUE(Contains(listed.out, expected)) << expected;
        EXPECT_TRUE(Contains(listed.out, std::string("\"chosen\": ") + (position == 0 ? "true" : "false") +
                                             ", \"modes\": [" + lines + "], \"position\": " +
                                             std::to_string(position) + ", \"device\": \""))
            << listed.out;
    }
    FreeDisplayDevices();
    // Each line as set takes it, in any letter case.
    JsonValue devices;
    std::string why;
    ASSERT_TRUE(ReadJson(listed.out, devices, why)) << why;
    for (const JsonValue& device : devices.Member("devices")->items) {
        if (device.Member("device") == nullptr)
            continue;
        std::string named = device.Member("device")->text;
        for (char& c : named)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const command::Result taken = Run({"set", "--dry-run", "device=" + named});
        EXPECT_EQ(taken.exitCode, 0) << named << taken.err;
    }
    EXPECT_EQ(Run({"show", "--value", "mode"}).out, "800x480x16\n");  // as the saved file has it
}
#endif

}  // namespace
