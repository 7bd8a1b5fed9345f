// The BER codec of SNMP v1/v2c: golden bytes (net-snmp's own datagrams, encoded by us byte for byte), OID text and
// order, and every rule of strict decoding.

#include "link/snmp/ber.h"
#include "link/snmp/snmp_message.h"
#include "link/snmp/snmp_oid.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

namespace {

using snmp_test::Hex;
using Bytes = std::vector<uint8_t>;

const std::filesystem::path kDataDir = std::filesystem::path(TARVIK_TEST_DATA_DIR) / "snmp";

CSnmpOid Oid(const char* text)
{
    return CSnmpOid::Parse(text).value();
}

// An independent TLV builder for hand-made inputs.
Bytes Tlv(uint8_t tag, const Bytes& content)
{
    Bytes out{tag};
    size_t n = content.size();
    if (n < 128) {
        out.push_back(static_cast<uint8_t>(n));
    } else if (n < 256) {
        out.insert(out.end(), {0x81, static_cast<uint8_t>(n)});
    } else {
        out.insert(out.end(), {0x82, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    }
    out.insert(out.end(), content.begin(), content.end());
    return out;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Bytes kSysDescrOid = Hex("06082b06010201010100");

Bytes VarBind(const Bytes& oid, const Bytes& value)
{
    return Tlv(0x30, Cat({oid, value}));
}

Bytes Pdu(uint8_t type, const Bytes& varbinds, const Bytes& requestId = Hex("020101"),
          const Bytes& errorStatus = Hex("020100"), const Bytes& errorIndex = Hex("020100"))
{
    return Tlv(type, Cat({requestId, errorStatus, errorIndex, Tlv(0x30, varbinds)}));
}

Bytes Message(const Bytes& version, const Bytes& pdu)
{
    return Tlv(0x30, Cat({version, Hex("04067075626c6963"), pdu}));
}

const Bytes kV1 = Hex("020100");
const Bytes kV2c = Hex("020101");

BerError Decode(const Bytes& bytes)
{
    SnmpMessage message;
    return DecodeSnmpMessage(bytes.data(), bytes.size(), &message);
}

TEST(SnmpOid, ParseFormatAndLimits)
{
    EXPECT_EQ(Oid(".1.3.6.1.2.1.1.3.0").Format(), "1.3.6.1.2.1.1.3.0");
    EXPECT_EQ(Oid("4294967295").SubIds(), std::vector<uint32_t>{4294967295u});
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.x", "1.-3", "4294967296", " 1.3", "1.3 ", "99999999999"})
        EXPECT_FALSE(CSnmpOid::Parse(bad)) << bad;
    std::string text = "1";
    for (int i = 1; i < 128; ++i)
        text += ".1";
    EXPECT_TRUE(CSnmpOid::Parse(text));
    EXPECT_FALSE(CSnmpOid::Parse(text + ".1"));
}

TEST(SnmpOid, OrderPrefixAndSuffix)
{
    EXPECT_LT(Oid("1.3.6.1.2"), Oid("1.3.6.1.2.1"));
    EXPECT_LT(Oid("1.3.6.1.2.1"), Oid("1.3.6.1.3"));
    EXPECT_LT(Oid("1.3.6.9"), Oid("1.3.6.10"));
    EXPECT_EQ(CompareOid(Oid("1.3"), Oid("1.3")), 0);
    EXPECT_EQ(CompareOid(Oid("1.4"), Oid("1.3.9")), 1);
    EXPECT_TRUE(Oid("1.3.6").IsPrefixOf(Oid("1.3.6")));
    EXPECT_TRUE(Oid("1.3.6").IsPrefixOf(Oid("1.3.6.1")));
    EXPECT_FALSE(Oid("1.3.6.1").IsPrefixOf(Oid("1.3.6")));
    EXPECT_FALSE(Oid("1.3.7").IsPrefixOf(Oid("1.3.6.1")));
    EXPECT_EQ(Oid("1.3.6").SuffixOf(Oid("1.3.6.1.5")), Oid("1.5"));
    EXPECT_TRUE(Oid("1.3.7").SuffixOf(Oid("1.3.6.1")).Empty());
    CSnmpOid full(std::vector<uint32_t>(128, 1));
    EXPECT_FALSE(full.Append(1));
    EXPECT_EQ(full.Size(), 128u);
}

// Datagrams that net-snmp's tools sent, with what they carry; our encoder must give the same bytes.
struct GoldenMessage {
    const char* file;
    SnmpMessage message;
};

std::vector<GoldenMessage> GoldenMessages()
{
    std::vector<GoldenMessage> rows;
    SnmpMessage get;
    get.version = SnmpVersion::V1;
    get.community = "public";
    get.pdu.type = SnmpPduType::GetRequest;
    get.pdu.requestId = 0x738d9e35;
    get.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.1.0"), SnmpValue::Null()}};
    rows.push_back({"netsnmp_v1_get.bin", get});

    SnmpMessage bulk;
    bulk.version = SnmpVersion::V2c;
    bulk.community = "public";
    bulk.pdu.type = SnmpPduType::GetBulkRequest;
    bulk.pdu.requestId = 0x100ee3bc;
    bulk.pdu.errorStatus = 1;
    bulk.pdu.errorIndex = 10;
    bulk.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.3.0"), SnmpValue::Null()},
                         {Oid("1.3.6.1.2.1.2.2.1.2"), SnmpValue::Null()}};
    rows.push_back({"netsnmp_v2c_getbulk.bin", bulk});

    SnmpMessage set;
    set.version = SnmpVersion::V2c;
    set.community = "private";
    set.pdu.type = SnmpPduType::SetRequest;
    set.pdu.requestId = 0x19011aa5;
    set.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.5.0"), SnmpValue::Octets("node-7")},
                        {Oid("1.3.6.1.4.1.32473.1.300.0.3"), SnmpValue::Integer(-5)},
                        {Oid("1.3.6.1.4.1.32473.1.300.0.2"), SnmpValue::Gauge32(4294967295u)}};
    rows.push_back({"netsnmp_v2c_set.bin", set});

    SnmpMessage trap1;
    trap1.version = SnmpVersion::V1;
    trap1.community = "public";
    trap1.pdu.type = SnmpPduType::TrapV1;
    trap1.pdu.enterprise = Oid("1.3.6.1.4.1.32473.1.0");
    trap1.pdu.agentAddress = {10, 1, 2, 3};
    trap1.pdu.genericTrap = 6;
    trap1.pdu.specificTrap = 1;
    trap1.pdu.timeStamp = 12345;
    trap1.pdu.varbinds = {{Oid("1.3.6.1.4.1.32473.1.325.1.3.10203"), SnmpValue::Integer(2)}};
    rows.push_back({"netsnmp_v1_trap.bin", trap1});

    SnmpMessage trap2;
    trap2.version = SnmpVersion::V2c;
    trap2.community = "public";
    trap2.pdu.type = SnmpPduType::TrapV2;
    trap2.pdu.requestId = 0x567f5178;
    trap2.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.3.0"), SnmpValue::TimeTicks(54321)},
                          {Oid("1.3.6.1.6.3.1.1.4.1.0"), SnmpValue::ObjectId(Oid("1.3.6.1.6.3.1.1.5.1"))}};
    rows.push_back({"netsnmp_v2c_trap.bin", trap2});

    SnmpMessage inform;
    inform.version = SnmpVersion::V2c;
    inform.community = "public";
    inform.pdu.type = SnmpPduType::InformRequest;
    inform.pdu.requestId = 0x23e94dee;
    inform.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.3.0"), SnmpValue::TimeTicks(777)},
                           {Oid("1.3.6.1.6.3.1.1.4.1.0"), SnmpValue::ObjectId(Oid("1.3.6.1.4.1.32473.1.0.1"))},
                           {Oid("1.3.6.1.4.1.32473.1.325.1.2.10203"), SnmpValue::Gauge32(5)}};
    rows.push_back({"netsnmp_v2c_inform.bin", inform});
    return rows;
}

TEST(SnmpBer, NetSnmpDatagramsDecodeAndEncodeAlike)
{
    for (const GoldenMessage& row : GoldenMessages()) {
        SCOPED_TRACE(row.file);
        Bytes golden = snmp_test::ReadFile(kDataDir / row.file);
        ASSERT_FALSE(golden.empty());
        SnmpMessage decoded;
        ASSERT_EQ(DecodeSnmpMessage(golden.data(), golden.size(), &decoded), BerError::None);
        EXPECT_EQ(decoded, row.message);
        Bytes encoded;
        ASSERT_EQ(EncodeSnmpMessage(row.message, &encoded), BerError::None);
        EXPECT_EQ(encoded, golden);
    }
}

TEST(SnmpBer, PrimitiveEncodings)
{
    struct Row {
        SnmpValue value;
        const char* hex;
    };
    const Row rows[] = {
        {SnmpValue::Integer(0), "020100"},
        {SnmpValue::Integer(127), "02017f"},
        {SnmpValue::Integer(128), "02020080"},
        {SnmpValue::Integer(-1), "0201ff"},
        {SnmpValue::Integer(-128), "020180"},
        {SnmpValue::Integer(-129), "0202ff7f"},
        {SnmpValue::Integer(INT32_MIN), "020480000000"},
        {SnmpValue::Integer(INT32_MAX), "02047fffffff"},
        {SnmpValue::Gauge32(0), "420100"},
        {SnmpValue::Gauge32(0xFFFFFFFF), "420500ffffffff"},
        {SnmpValue::Counter32(0x80), "41020080"},
        {SnmpValue::TimeTicks(54321), "430300d431"},
        {SnmpValue::Counter64(0xFFFFFFFFFFFFFFFFull), "460900ffffffffffffffff"},
        {SnmpValue::IpAddress({192, 168, 0, 1}), "4004c0a80001"},
        {SnmpValue::Octets(""), "0400"},
        {SnmpValue::ObjectId(Oid("1.3.6.1.4.1.32473.1")), "06092b0601040181fd5901"},
        {SnmpValue::ObjectId(Oid("2.999.3")), "0603883703"},
        {SnmpValue::ObjectId(Oid("1.3.4294967295")), "06062b8fffffff7f"},
        {SnmpValue::Exception(SnmpType::EndOfMibView), "8200"},
    };
    for (const Row& row : rows) {
        SnmpMessage message;
        message.version = SnmpVersion::V2c;
        message.pdu.type = SnmpPduType::Response;
        message.pdu.varbinds = {{Oid("1.3"), row.value}};
        Bytes encoded;
        ASSERT_EQ(EncodeSnmpMessage(message, &encoded), BerError::None);
        Bytes expected = Hex(row.hex);
        // The value is the last element of the message.
        ASSERT_GE(encoded.size(), expected.size());
        EXPECT_EQ(Bytes(encoded.end() - static_cast<std::ptrdiff_t>(expected.size()), encoded.end()), expected)
            << row.hex;
        SnmpMessage back;
        ASSERT_EQ(DecodeSnmpMessage(encoded.data(), encoded.size(), &back), BerError::None) << row.hex;
        EXPECT_EQ(back.pdu.varbinds[0].value, row.value) << row.hex;
    }
}

TEST(SnmpBer, LongLengthsRoundTrip)
{
    for (size_t size : {127u, 128u, 255u, 256u, 1000u, 65000u}) {
        SnmpMessage message;
        message.version = SnmpVersion::V2c;
        message.pdu.type = SnmpPduType::Response;
        message.pdu.varbinds = {{Oid("1.3.6"), SnmpValue::Octets(std::string(size, 'a'))}};
        Bytes encoded;
        ASSERT_EQ(EncodeSnmpMessage(message, &encoded), BerError::None) << size;
        SnmpMessage back;
        ASSERT_EQ(DecodeSnmpMessage(encoded.data(), encoded.size(), &back), BerError::None) << size;
        EXPECT_EQ(back, message);
    }
}

// A message of 65507 bytes (the largest UDP payload) is written and read; one byte more is neither.
TEST(SnmpBer, AMessageOf65507BytesTravelsAndOneByteMoreDoesNot)
{
    auto encode = [](size_t octets, Bytes* encoded) {
        SnmpMessage message;
        message.version = SnmpVersion::V2c;
        message.pdu.type = SnmpPduType::Response;
        message.pdu.varbinds = {{Oid("1.3.6"), SnmpValue::Octets(std::string(octets, 'a'))}};
        return EncodeSnmpMessage(message, encoded);
    };
    Bytes encoded;
    ASSERT_EQ(encode(65000, &encoded), BerError::None);
    const size_t fitting = 65000 + (65507 - encoded.size());
    ASSERT_EQ(encode(fitting, &encoded), BerError::None);
    EXPECT_EQ(encoded.size(), 65507u);
    EXPECT_EQ(encode(fitting + 1, &encoded), BerError::MessageTooBig);

    auto handMade = [](size_t octets) {
        return Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Tlv(0x04, Bytes(octets, 'a')))));
    };
    const size_t overhead = handMade(65000).size() - 65000;
    const Bytes largest = handMade(65507 - overhead);
    ASSERT_EQ(largest.size(), 65507u);
    EXPECT_EQ(Decode(largest), BerError::None);
    const Bytes tooLong = handMade(65508 - overhead);
    ASSERT_EQ(tooLong.size(), 65508u);
    EXPECT_EQ(Decode(tooLong), BerError::MessageTooBig);
}

TEST(SnmpBer, EncoderRefusesWhatCannotTravel)
{
    SnmpMessage message;
    message.version = SnmpVersion::V2c;
    message.pdu.type = SnmpPduType::Response;
    message.pdu.varbinds = {{Oid("1.3.6"), SnmpValue::Octets(std::string(65500, 'a'))}};
    Bytes encoded;
    EXPECT_EQ(EncodeSnmpMessage(message, &encoded), BerError::MessageTooBig);
    message.pdu.varbinds.clear();
    message.pdu.type = SnmpPduType::TrapV1;
    EXPECT_EQ(EncodeSnmpMessage(message, &encoded), BerError::BadPduType);
    message.version = SnmpVersion::V1;
    message.pdu.type = SnmpPduType::GetBulkRequest;
    EXPECT_EQ(EncodeSnmpMessage(message, &encoded), BerError::BadPduType);
}

struct BadInput {
    const char* name;
    Bytes bytes;
    BerError expected;
};

std::vector<BadInput> BadInputs()
{
    const Bytes nullBind = VarBind(kSysDescrOid, Hex("0500"));
    const Bytes good = Message(kV1, Pdu(0xA0, nullBind));
    Bytes truncated = good;
    truncated.pop_back();
    Bytes overLong = good;
    overLong[1] = static_cast<uint8_t>(overLong[1] + 1);
    Bytes trailing = good;
    trailing.push_back(0);
    Bytes manySubIds{0x2b};
    for (int i = 0; i < 127; ++i)
        manySubIds.push_back(1);
    Bytes tooBig = Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Tlv(0x04, Bytes(65500, 'a')))));
    return {
        {"empty", {}, BerError::Truncated},
        {"truncated", truncated, BerError::Truncated},
        {"length beyond the data", overLong, BerError::Truncated},
        {"inner length beyond its sequence",
         Message(kV1, Tlv(0xA0, Cat({Hex("020101020100020100"), Hex("3005300306")}))), BerError::Truncated},
        {"indefinite length", Cat({Hex("3080"), Bytes(good.begin() + 2, good.end()), Hex("0000")}),
         BerError::IndefiniteLength},
        {"five length octets", Cat({Hex("30850000000029"), Bytes(good.begin() + 2, good.end())}),
         BerError::LengthTooLong},
        {"multi-byte tag", Hex("1f8101020100"), BerError::HighTagNumber},
        {"not a sequence", Hex("020100"), BerError::UnexpectedTag},
        {"trailing byte after the message", trailing, BerError::TrailingData},
        {"element after the PDU", Tlv(0x30, Cat({kV1, Hex("04067075626c6963"), Pdu(0xA0, nullBind), Hex("0500")})),
         BerError::TrailingData},
        {"third element in a binding", Message(kV1, Pdu(0xA0, Tlv(0x30, Cat({kSysDescrOid, Hex("05000500")})))),
         BerError::TrailingData},
        {"version 3", Message(Hex("020103"), Pdu(0xA0, nullBind)), BerError::BadVersion},
        {"negative version", Message(Hex("0201ff"), Pdu(0xA0, nullBind)), BerError::BadVersion},
        {"request-id of five octets", Message(kV1, Pdu(0xA0, nullBind, Hex("02050100000000"))),
         BerError::IntegerTooWide},
        {"empty integer", Message(kV1, Pdu(0xA0, nullBind, Hex("0200"))), BerError::EmptyInteger},
        {"Integer32 value of five octets", Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Hex("02050080000000")))),
         BerError::IntegerTooWide},
        {"Gauge32 wider than 32 bits", Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Hex("42050100000000")))),
         BerError::IntegerTooWide},
        {"TimeTicks of six octets", Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Hex("4306000000000001")))),
         BerError::IntegerTooWide},
        {"Counter64 of ten octets", Message(kV2c, Pdu(0xA2, VarBind(kSysDescrOid, Hex("460a00010000000000000000")))),
         BerError::IntegerTooWide},
        {"OID of 129 sub-ids", Message(kV1, Pdu(0xA0, VarBind(Tlv(0x06, manySubIds), Hex("0500")))),
         BerError::OidTooLong},
        {"OID sub-id of 2^32", Message(kV1, Pdu(0xA0, VarBind(Hex("06062b9080808000"), Hex("0500")))),
         BerError::OidSubIdTooBig},
        {"OID first arcs beyond 32 bits", Message(kV1, Pdu(0xA0, VarBind(Hex("06059080808060"), Hex("0500")))),
         BerError::OidSubIdTooBig},
        {"OID with a padded sub-id", Message(kV1, Pdu(0xA0, VarBind(Hex("06032b8001"), Hex("0500")))),
         BerError::BadOidEncoding},
        {"OID cut inside a sub-id", Message(kV1, Pdu(0xA0, VarBind(Hex("06022b81"), Hex("0500")))),
         BerError::BadOidEncoding},
        {"empty OID", Message(kV1, Pdu(0xA0, VarBind(Hex("0600"), Hex("0500")))), BerError::EmptyOid},
        {"NULL with content", Message(kV1, Pdu(0xA0, VarBind(kSysDescrOid, Hex("050100")))), BerError::BadNull},
        {"IpAddress of three octets", Message(kV1, Pdu(0xA2, VarBind(kSysDescrOid, Hex("4003010203")))),
         BerError::BadIpAddress},
        {"unknown value tag", Message(kV1, Pdu(0xA2, VarBind(kSysDescrOid, Hex("470100")))), BerError::UnexpectedTag},
        {"Counter64 in v1", Message(kV1, Pdu(0xA2, VarBind(kSysDescrOid, Hex("460101")))),
         BerError::BadValueForVersion},
        {"exception value in v1", Message(kV1, Pdu(0xA2, VarBind(kSysDescrOid, Hex("8000")))),
         BerError::BadValueForVersion},
        {"exception value in a request", Message(kV2c, Pdu(0xA0, VarBind(kSysDescrOid, Hex("8100")))),
         BerError::BadValueForVersion},
        {"SNMPv2-Trap in v1", Message(kV1, Pdu(0xA7, nullBind)), BerError::BadPduType},
        {"GetBulk in v1", Message(kV1, Pdu(0xA5, nullBind)), BerError::BadPduType},
        {"Inform in v1", Message(kV1, Pdu(0xA6, nullBind)), BerError::BadPduType},
        {"v1 Trap in v2c", Message(kV2c, Pdu(0xA4, nullBind)), BerError::BadPduType},
        {"Report PDU", Message(kV2c, Pdu(0xA8, nullBind)), BerError::BadPduType},
        {"context tag that is no PDU", Message(kV2c, Pdu(0xA9, nullBind)), BerError::BadPduType},
        {"error-status 19", Message(kV2c, Pdu(0xA2, nullBind, Hex("020101"), Hex("020113"))),
         BerError::IntegerOutOfRange},
        {"v2c error-status in v1", Message(kV1, Pdu(0xA2, nullBind, Hex("020101"), Hex("020106"))),
         BerError::IntegerOutOfRange},
        {"error-index past the bindings",
         Message(kV1, Pdu(0xA2, nullBind, Hex("020101"), Hex("020102"), Hex("020102"))), BerError::IntegerOutOfRange},
        {"v1 trap with generic-trap 7",
         Message(kV1, Tlv(0xA4, Cat({Hex("06032b0601"), Hex("40040a000001"), Hex("020107"), Hex("020100"),
                                     Hex("430100"), Tlv(0x30, {})}))),
         BerError::IntegerOutOfRange},
        {"message over 65507 bytes", tooBig, BerError::MessageTooBig},
    };
}

TEST(SnmpBer, StrictDecodingRefusesBadInput)
{
    // The well-formed base of the hand-made inputs decodes.
    EXPECT_EQ(Decode(Message(kV1, Pdu(0xA0, VarBind(kSysDescrOid, Hex("0500"))))), BerError::None);
    for (const BadInput& row : BadInputs())
        EXPECT_EQ(Decode(row.bytes), row.expected) << row.name << ": " << BerErrorText(Decode(row.bytes));
}

// Every prefix of a valid datagram is refused without reading past it.
TEST(SnmpBer, EveryTruncationIsRefused)
{
    for (const GoldenMessage& row : GoldenMessages()) {
        Bytes golden = snmp_test::ReadFile(kDataDir / row.file);
        for (size_t n = 0; n < golden.size(); ++n) {
            Bytes cut(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_NE(Decode(cut), BerError::None) << row.file << " cut at " << n;
        }
    }
}

TEST(SnmpBer, GetBulkNegativeCountsReadAsZero)
{
    Bytes bulk =
        Message(kV2c, Pdu(0xA5, VarBind(kSysDescrOid, Hex("0500")), Hex("020101"), Hex("0201ff"), Hex("0201fe")));
    SnmpMessage message;
    ASSERT_EQ(DecodeSnmpMessage(bulk.data(), bulk.size(), &message), BerError::None);
    EXPECT_EQ(message.pdu.NonRepeaters(), 0);
    EXPECT_EQ(message.pdu.MaxRepetitions(), 0);
}

} // namespace
