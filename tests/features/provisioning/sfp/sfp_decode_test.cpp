// The decoding of a transceiver's serial-ID data into the rows of its page: the compliance rows, whose texts join or
// whose last set bit wins, the coded rows and their unknown codes, and the plain numbers and texts.

#include "features/provisioning/sfp/sfp_decode.h"
#include "tarvik_test_paths.h"

#include "core/util/bit_string.h"
#include "link/records/sfp_info_rec.h"

#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// The rows' texts are the program's.
class SfpDecodeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

enum Row : size_t {
    kIdentifier,
    kConnector,
    kSonet,
    kEthernet,
    kLinkLength,
    kTransmitter,
    kMedia,
    kSpeed,
    kEncoding,
    kBitRate,
    kVendorOui = 16,
    kWavelength = 19,
};

SfpInfoRec WithBits(std::initializer_list<size_t> bits)
{
    SfpInfoRec rec;
    for (size_t bit : bits)
        SetBit(rec.compliance, bit);
    return rec;
}

TEST_F(SfpDecodeTest, ComplianceRowsJoinTheirTextsOrTakeTheLastSetBit)
{
    struct Case {
        std::initializer_list<size_t> bits;
        Row row;
        const char* text;
    };
    const Case cases[] = {
        // The SONET and media rows join every set bit's text, without a trailing separator.
        {{0, 9}, kSonet, "OC 48 short reach, OC 3 single mode inter. reach"},
        {{14}, kSonet, "OC 12 single mode long reach"},
        {{0, 1, 2, 8, 9, 10, 12, 13, 14},
         kSonet,
         "OC 48 short reach, OC 48 intermediate reach, OC 48 long reach, OC 3 multi-mode short reach, OC 3 single "
         "mode inter. reach, OC 3 single mode long reach, OC 12 multi-mode short reach, OC 12 single mode inter. "
         "reach, OC 12 single mode long reach"},
        {{40, 47}, kMedia, "Single Mode(SM), Twin Axial Pair(TW)"},
        {{42, 43}, kMedia, "Multi-mode 50m(M5), Multi-mode 62.5m(M6)"},
        // The other rows show the last set bit's text.
        {{16, 17}, kEthernet, "1000BASE-LX"},
        {{16}, kEthernet, "1000BASE-SX"},
        {{16, 19}, kEthernet, "1000BASE-Tn"},
        {{28, 31}, kLinkLength, "Very long distance(V)"},
        {{29}, kLinkLength, "Intermediate distance(I)"},
        {{24, 39}, kTransmitter, "Electrical intra-enclosure (EL)"},
        {{25, 36}, kTransmitter, "Longwave laser (LL)"},
        {{48, 52}, kSpeed, "400 MBytes/Sec"},
        {{50}, kSpeed, "200 MBytes/Sec"},
        // Bits that name nothing of a row, and rows whose bits are clear, stay empty.
        {{3, 11, 15}, kSonet, ""},
        {{16}, kSonet, ""},
        {{0}, kEthernet, ""},
        {{41}, kMedia, ""},
        {{49, 51}, kSpeed, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecodeSfpInfo(WithBits(c.bits))[c.row], c.text);
    }
}

TEST_F(SfpDecodeTest, CodedRowsNameTheirCodesAndTheUnknownOnes)
{
    SfpInfoRec rec;
    const std::pair<uint16_t, const char*> identifiers[] = {{3, "SFP"}, {0, "Not SFP"}, {4, "Not SFP"}};
    for (const auto& [code, text] : identifiers) {
        rec.identifier = code;
        EXPECT_EQ(DecodeSfpInfo(rec)[kIdentifier], text);
    }
    const std::pair<uint16_t, const char*> connectors[] = {{1, "SC"}, {7, "LC"}, {0, "Unknown"}, {34, "Unknown"}};
    for (const auto& [code, text] : connectors) {
        rec.connector = code;
        EXPECT_EQ(DecodeSfpInfo(rec)[kConnector], text);
    }
    const std::pair<uint16_t, const char*> encodings[] = {
        {0, "Unspecified"}, {1, "8B10B"},           {2, "4B5B"},     {3, "NRZ"},
        {4, "Manchester"},  {5, "SONET Scrambled"}, {6, "Reserved"}, {65535, "Reserved"},
    };
    for (const auto& [code, text] : encodings) {
        rec.encoding = code;
        EXPECT_EQ(DecodeSfpInfo(rec)[kEncoding], text);
    }
}

TEST_F(SfpDecodeTest, NumbersTextsAndTheVendorsOui)
{
    SfpInfoRec rec;
    rec.nominalBitRate = 13;
    rec.wavelength = 850;
    rec.vendorOui = {0x00, 0x90, 0x65};
    rec.vendorName = "ABCDEFGHIJKLMNOP";
    rec.vendorSerialNumber = "S1";
    const std::array<std::string, kSfpRowCount> rows = DecodeSfpInfo(rec);
    EXPECT_EQ(rows[kBitRate], "13");
    EXPECT_EQ(rows[kWavelength], "850 nm");
    EXPECT_EQ(rows[kVendorOui], "00:90:65");
    EXPECT_EQ(rows[15], "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(rows[18], "S1");
    EXPECT_EQ(rows[10], "0");
}

} // namespace
