#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "display/display_device.h"
#include "display/testing/fake_system.h"

using namespace platform;

namespace {

// Build numbers carry the version in their high 16 bits; only the low 16 count.
constexpr uint32_t kOldBuild = 4u << 24 | 950;
constexpr uint32_t kNewBuild = 4u << 24 | 10u << 16 | 1354;

struct ProbeCase {
    const char* name;
    uint32_t platformId;
    uint32_t majorVersion;
    uint32_t buildNumber;
    std::function<void(FakeSystem&)> setUp;
    DirectXVersion expected;
    std::vector<std::string> debugOutput;
    bool loadsLibraries;
};

void PrintTo(const ProbeCase& c, std::ostream* out) {
    *out << c.name;
}

void Nothing(FakeSystem&) {}

class ProbeTest : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTest, ReportsTheVersionAndLeavesNothingBehind) {
    const ProbeCase& c = GetParam();
    FakeSystem fake;
    fake.Install();
    fake.os.platformId = c.platformId;
    fake.os.majorVersion = c.majorVersion;
    fake.os.buildNumber = c.buildNumber;
    c.setUp(fake);

    EXPECT_EQ(ProbeDirectXVersion(), c.expected);
    EXPECT_EQ(fake.debugOutput, c.debugOutput);
    EXPECT_EQ(fake.Called("LoadLibraryA", true), c.loadsLibraries);
    EXPECT_EQ(fake.LoadedLibraries(), 0);
    EXPECT_EQ(fake.LiveDirectDraws(), 0u);
    EXPECT_EQ(fake.LiveSurfaces(), 0u);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

constexpr uint32_t kNt = VER_PLATFORM_WIN32_NT;
constexpr uint32_t k95 = VER_PLATFORM_WIN32_WINDOWS;
const char* const kNoDInput = "Couldn't LoadLibrary DInput\r\n";
const char* const kNoDInputEntry = "Couldn't GetProcAddress DInputCreate\r\n";

INSTANTIATE_TEST_SUITE_P(
    EverySystem, ProbeTest,
    ::testing::Values(ProbeCase{"VersionUnknown",
                                kNt,
                                6,
                                7601,
                                [](FakeSystem& f) { f.os.versionAvailable = false; },
                                0,
                                {},
                                false},
                      ProbeCase{"Nt3", kNt, 3, 1057, Nothing, 0, {}, false},
                      ProbeCase{"Nt4WithoutDInput",
                                kNt,
                                4,
                                1381,
                                [](FakeSystem& f) { f.RemoveLibrary("DINPUT.DLL"); },
                                0x200,
                                {kNoDInput},
                                true},
                      ProbeCase{"Nt4DInputWithoutEntry",
                                kNt,
                                4,
                                1381,
                                [](FakeSystem& f) { f.SetLibrary("DINPUT.DLL", {}); },
                                0x200,
                                {kNoDInputEntry},
                                true},
                      ProbeCase{"Nt4", kNt, 4, 1381, Nothing, 0x300, {}, true},
                      ProbeCase{"Nt5", kNt, 5, 2195, Nothing, 0x501, {}, false},
                      ProbeCase{"Win95LateBuild", k95, 4, kNewBuild, Nothing, 0x501, {}, false},
                      ProbeCase{"Win95WithoutDDraw",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.RemoveLibrary("DDRAW.DLL"); },
                                0,
                                {},
                                true},
                      ProbeCase{"Win95DDrawWithoutEntry",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.SetLibrary("DDRAW.DLL", {}); },
                                0,
                                {"Couldn't LoadLibrary DDraw\r\n"},
                                true},
                      ProbeCase{"Win95CreateRefused",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.Fail("DirectDrawCreate"); },
                                0,
                                {"Couldn't create DDraw\r\n"},
                                true},
                      ProbeCase{"Win95WithoutDDraw2",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) {
                                    f.Fail("QueryInterface", DDERR_NOINTERFACE, FakeSystem::kAlways,
                                           "DirectDraw");
                                },
                                0x100,
                                {"Couldn't QI DDraw2\r\n"},
                                true},
                      ProbeCase{"Win95WithoutDInput",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.RemoveLibrary("DINPUT.DLL"); },
                                0x200,
                                {kNoDInput},
                                true},
                      ProbeCase{"Win95DInputWithoutEntry",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.SetLibrary("DINPUT.DLL", {"Other"}); },
                                0x200,
                                {kNoDInputEntry},
                                true},
                      ProbeCase{"Win95CooperationRefused",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.Fail("SetCooperativeLevel"); },
                                0,
                                {"Couldn't Set coop level\r\n"},
                                true},
                      ProbeCase{"Win95PrimaryRefused",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) { f.Fail("CreateSurface"); },
                                0,
                                {"Couldn't CreateSurface\r\n"},
                                true},
                      ProbeCase{"Win95WithoutSurface3",
                                k95,
                                4,
                                kOldBuild,
                                [](FakeSystem& f) {
                                    f.Fail("QueryInterface", DDERR_NOINTERFACE, FakeSystem::kAlways,
                                           "primary");
                                },
                                0x300,
                                {},
                                true},
                      ProbeCase{"Win95DirectX5", k95, 4, kOldBuild, Nothing, 0x500, {}, true}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return info.param.name; });

TEST(ProbeCallsTest, Windows95FamilyAsksForNormalUseAndAPlainPrimary) {
    FakeSystem fake;
    fake.Install();
    fake.os.platformId = VER_PLATFORM_WIN32_WINDOWS;
    fake.os.majorVersion = 4;
    fake.os.buildNumber = kOldBuild;
    ASSERT_EQ(ProbeDirectXVersion(), 0x500u);
    const std::vector<std::string> expected = {"GetVersionExA",
                                               "LoadLibraryA(DDRAW.DLL)",
                                               "GetProcAddress(DirectDrawCreate)",
                                               "DirectDrawCreate",
                                               "QueryInterface(DirectDraw)",
                                               "Release(DirectDraw)",
                                               "LoadLibraryA(DINPUT.DLL)",
                                               "GetProcAddress(DirectInputCreateA)",
                                               "FreeLibrary(DINPUT.DLL)",
                                               "SetCooperativeLevel(0x8)",
                                               "CreateSurface(primary)",
                                               "QueryInterface(primary)",
                                               "Release(primary)",
                                               "Release(primary)",
                                               "Release(DirectDraw)",
                                               "FreeLibrary(DDRAW.DLL)"};
    EXPECT_EQ(fake.calls, expected);
}

}  // namespace
