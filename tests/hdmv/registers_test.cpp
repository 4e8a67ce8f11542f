#include "hdmv/registers.h"

#include <gtest/gtest.h>

using namespace mirtal::hdmv;

TEST(ResetRegs, AppliesTheResetTable)
{
    Registers r;
    r.gpr[7] = 9;
    r.psr[100] = 1;
    r.ResetRegs();
    EXPECT_EQ(r.gpr[7], 0u);
    EXPECT_EQ(r.psr[100], 0u);
    EXPECT_EQ(r.psr[0], 1u);
    EXPECT_EQ(r.psr[1], 0xFFu);
    EXPECT_EQ(r.psr[2], 0x0FFF0FFFu);
    EXPECT_EQ(r.psr[4], 0xFFFFu);
    EXPECT_EQ(r.psr[8], 0xFFFFFFFFu);
    EXPECT_EQ(r.psr[10], 0xFFFFu);
    EXPECT_EQ(r.psr[16], 0x00656E67u);
    EXPECT_EQ(r.psr[18], 0x00656E67u);
    EXPECT_EQ(r.psr[19], 0x5553u);
    EXPECT_EQ(r.psr[20], 1u);
    EXPECT_EQ(r.psr[31], 0x30200u);
    EXPECT_EQ(r.psr[43], 0xFFFFu);
    EXPECT_EQ(r.psr[61], 0xFFFF0000u);
    EXPECT_EQ(r.psr[6], 0u);
}

TEST(ResetRegs, CountryAndRegionOptions)
{
    Registers r;
    r.ResetRegs(0x4A50, 2);
    EXPECT_EQ(r.psr[19], 0x4A50u);
    EXPECT_EQ(r.psr[20], 4u);
    EXPECT_EQ(countryCodeLabel(r.psr[19]), "JP");
    r.ResetRegs(0x5553, 1);
    EXPECT_EQ(r.psr[20], 2u);
    r.ResetRegs(0x5553, 7);    // not a region choice: "A"
    EXPECT_EQ(r.psr[20], 1u);
}

TEST(PsrListing, AfterResetHasTheDocumentedShape)
{
    Registers r;
    const auto lines = r.psrListing();
    ASSERT_EQ(lines.size(), 21u + 3u + 1u);
    EXPECT_EQ(lines[0], "[b]PSR0[/b]: 00000001 (1) - Interactive Graphics Stream Number (b7-b0) {1-32,$ff}");
    EXPECT_EQ(lines[20], "[b]PSR20[/b]: 00000001 (1) - Region Code (b7-b0) {1,2,4}");
    EXPECT_EQ(lines[21], "[b]PSR29[/b]: 00000003 (3) - Player Capability for Video (b1: 50Hz and 25Hz, b0: HD sec video)");
    EXPECT_EQ(lines[23].rfind("[b]PSR31[/b]: 00030200 (197120) - Player Profile", 0), 0u);
    EXPECT_EQ(lines[24], "[b]PSR43[/b]: 0000FFFF (65535)   [b]PSR48[/b]: FFFFFFFF (4294967295)   "
                         "[b]PSR49[/b]: FFFFFFFF (4294967295)   [b]PSR50[/b]: FFFFFFFF (4294967295)   "
                         "[b]PSR61[/b]: FFFF0000 (4294901760)   ");
}

TEST(PsrListing, ReservedHasEmptyDescriptionAndSixItemsALine)
{
    Registers r;
    r.psr[21] = 5;
    for (size_t n = 64; n < 70; ++n)
        r.psr[n] = 1;
    const auto lines = r.psrListing();
    EXPECT_EQ(lines[21], "[b]PSR21[/b]: 00000005 (5) - ");
    // 43, 48, 49, 50, 61, 64 fill a line; 65 … 69 the last one.
    ASSERT_EQ(lines.size(), 21u + 4u + 2u);
    EXPECT_EQ(lines[25].rfind("[b]PSR43[/b]", 0), 0u);
    EXPECT_NE(lines[25].find("[b]PSR64[/b]: 00000001 (1)   "), std::string::npos);
    EXPECT_EQ(lines[26].rfind("[b]PSR65[/b]", 0), 0u);
}

TEST(GprListing, NonzeroOnlyFiveALine)
{
    Registers r;
    EXPECT_TRUE(r.gprListing().empty());
    for (size_t n : {0u, 1u, 2u, 3u, 4u, 4095u})
        r.gpr[n] = static_cast<uint32_t>(n + 1);
    const auto lines = r.gprListing();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("[b]GPR0[/b]: 00000001 (1)   [b]GPR1[/b]: 00000002 (2)   ", 0), 0u);
    EXPECT_EQ(lines[1], "[b]GPR4095[/b]: 00001000 (4096)   ");
}

TEST(RegisterFields, NumberCheckAndPadding)
{
    Registers r;
    r.psr[127] = 0xABCDEF01;
    EXPECT_EQ(checkRegisterNumber(RegisterKind::PSR, 128), 0u);
    EXPECT_EQ(checkRegisterNumber(RegisterKind::PSR, 127), 127u);
    EXPECT_EQ(checkRegisterNumber(RegisterKind::PSR, -1), 0u);
    EXPECT_EQ(checkRegisterNumber(RegisterKind::GPR, 4096), 0u);
    EXPECT_EQ(checkRegisterNumber(RegisterKind::GPR, 4095), 4095u);
    EXPECT_EQ(registerValueText(r, RegisterKind::PSR, 127), "ABCDEF01");
    EXPECT_EQ(registerValueText(r, RegisterKind::PSR, 128), "00000001");    // PSR 0
    EXPECT_EQ(registerValueText(r, RegisterKind::GPR, 0), "00000000");
    EXPECT_EQ(registerNumberText(RegisterKind::PSR, 7, false), "007");
    EXPECT_EQ(registerNumberText(RegisterKind::PSR, 7, true), "7");
    EXPECT_EQ(registerNumberText(RegisterKind::GPR, 12, false), "0012");
    EXPECT_EQ(registerNumberText(RegisterKind::GPR, 5000, false), "0000");
    writeRegister(r, RegisterKind::GPR, 9, 0x1234);
    EXPECT_EQ(r.gpr[9], 0x1234u);
    writeRegister(r, RegisterKind::PSR, 300, 0x55);    // out of range: PSR 0
    EXPECT_EQ(r.psr[0], 0x55u);
}

TEST(CountryCode, ClampAndLabel)
{
    EXPECT_EQ(clampCountryCode(0x3030), 0x4141);
    EXPECT_EQ(clampCountryCode(0x5B00), 0x5A5A);
    EXPECT_EQ(clampCountryCode(0x4A50), 0x4A50);
    EXPECT_EQ(clampCountryCode(-5), 0x4141);
    EXPECT_EQ(countryCodeLabel(0x5553), "US");
    EXPECT_EQ(countryCodeLabel(0x0041), "?A");
}
