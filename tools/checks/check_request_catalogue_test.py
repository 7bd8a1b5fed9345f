#!/usr/bin/env python3
"""The request catalogue check against a scratch tree: every form of a code or record size written outside its
place is planted in a file of its own and must be reported there; a file that names everything is reported nowhere.
The scratch catalogue's numbers are its own, so that the check can only know them by reading its headers."""
import pathlib
import sys
import tempfile
import textwrap
import unittest

sys.dont_write_bytecode = True  # the test runs from the source tree
import check_request_catalogue  # noqa: E402

CATALOGUE = {
    "link/records/request_code.h": """
        template <typename Rec> struct RequestCode { uint16_t value = 0; };
    """,
    "link/records/request_codes.h": """
        #include "link/records/request_code.h"
        struct LocationRecord;
        inline constexpr RequestCode<NoRecord> kReqKeepAlive{1};
        inline constexpr RequestCode<NoRecord> kReqLoginQuery{34};
        inline constexpr RequestCode<AlarmTriggerRec> kReqAlarmTriggerAdd{36};
        inline constexpr RequestCode<CascadedMgmtRecord> kReqCascadedMgmt{161};
        inline constexpr RequestCode<LocationRecord> kReqLocation{5020};
        inline constexpr RequestCode<LocationRecord> kReqLocationAdd{5021};
    """,
    "link/records/location_record.h": """
        inline constexpr size_t kLocationNameWidth = 112;
        inline constexpr size_t kLocationRecordSize = 2 * kLocationNameWidth;
        struct LocationRecord { std::string name; };
        template <> struct RecordTable<LocationRecord> {
            static constexpr uint32_t kSize = kLocationRecordSize;
        };
    """,
    "link/records/word_record.h": """
        struct WordRecord { uint32_t value = 0; };
        template <> struct RecordTable<WordRecord> {
            static constexpr uint32_t kSize = 4;
        };
    """,
    "link/ems_msg.h": """
        #include "link/records/request_codes.h"
        inline constexpr uint8_t kEmsOpQuery = 1;
        int BuildEmsMsg(EmsMsg* msg, uint8_t operation, uint16_t requestCode, uint32_t recordSize, const void* record,
                        uint32_t neId);
    """,
    "link/record_requests.h": """
        #include "link/ems_msg.h"
        class CRecordRequests {
        public:
            template <typename Decoded = void, typename Rec>
            auto Query(RequestCode<Rec> code, uint32_t neId, const RequestOptions& options = {}) const;
        };
    """,
    "tests/e2e/support/e2e_harness.h": """
        std::vector<std::vector<uint8_t>> QueryServer(uint16_t code, uint32_t neId, const std::vector<uint8_t>& record,
                                                      uint32_t recordSize);
    """,
    "sim/server/sim_request_handler.h": """
        SimNotice Notice(SimAudience audience, uint16_t code, uint32_t neId);
    """,
}

REQUESTS = '#include "link/record_requests.h"\n'
EMS_MSG = '#include "link/ems_msg.h"\n'

# (file, source, what its one fault says).
PLANTED = [
    ("features/a/code_brace.cpp", "constexpr RequestCode<LocationRecord> kMyLocation{5020};", "kMyLocation belongs in"),
    ("features/a/code_equals.cpp", "inline constexpr RequestCode<LocationRecord> kMine = {5020};", "kMine belongs in"),
    ("features/a/code_temporary.cpp", REQUESTS + "auto r = requests.Query(RequestCode<LocationRecord>{5020}, 0);",
     "5020 made from a number"),
    ("features/a/code_constexpr.cpp", "constexpr uint16_t kReqLocationCopy = 5020;", "5020 named kReqLocationCopy"),
    ("features/a/code_static_const.cpp", "static const std::uint16_t kLocationRequest = 5020;",
     "named kLocationRequest"),
    ("features/a/code_unsigned_short.cpp", "const unsigned short kLocationCode = 5020;", "named kLocationCode"),
    ("features/a/code_int.cpp", "constexpr int kCodeLocationAdd = 0x139D;", "5021 named kCodeLocationAdd"),
    ("features/a/code_auto.cpp", "constexpr auto kKeepAliveOpcode = 1;", "1 named kKeepAliveOpcode"),
    ("features/a/code_brace_integer.cpp", "constexpr uint16_t kLocationAddReq{5021};", "named kLocationAddReq"),
    ("features/a/code_not_in_catalogue.cpp", "constexpr uint16_t kReqSomethingNew = 7000;",
     "7000 named kReqSomethingNew"),
    ("features/a/code_operation_word.cpp", "constexpr uint16_t kOpLocation = 5020;", "named kOpLocation"),
    ("features/a/code_define.cpp", "#define REQ_LOCATION 5020", "named REQ_LOCATION (a #define)"),
    ("features/a/code_enum_member.cpp", "enum Things { kLocationReq = 5020 };", "named kLocationReq (an enum member)"),
    ("features/a/code_enum.cpp", "enum class RequestCodes : uint16_t { Location = 5020 };",
     "named RequestCodes::Location"),
    ("features/a/code_array.cpp", "constexpr uint16_t kCodes[] = {kReqLocation, 5021};",
     "5021 named kCodes (an array)"),
    ("features/a/size_name.cpp", "constexpr uint32_t kLocationRecSize = 224;",
     "record size 224 named kLocationRecSize"),
    ("features/a/size_value.cpp", "static constexpr size_t kBodyLength = 224;", "record size 224 named kBodyLength"),
    ("features/a/size_expression.cpp", "constexpr uint32_t kCopyRecordSize = kLocationRecordSize + 0;",
     "record size kCopyRecordSize belongs"),
    ("features/a/size_define.cpp", "#define ROW_BYTES 224", "record size 224 named ROW_BYTES"),
    ("features/a/typed_request.cpp", REQUESTS + "requests.Query(5020, 0);", "5020 passed to Query()"),
    ("tests/link/build_code.cpp", EMS_MSG + "BuildEmsMsg(&msg, kEmsOpQuery, 5020, kLocationRecordSize, r, 0);",
     "5020 passed to BuildEmsMsg()"),
    ("tests/link/build_size.cpp", EMS_MSG + "BuildEmsMsg(&msg, kEmsOpQuery, kReqLocation, 224, record, 0);",
     "record size 224 passed to BuildEmsMsg()"),
    ("tests/e2e/harness_call.cpp",
     '#include "tests/e2e/support/e2e_harness.h"\nprogram.QueryServer(5020, 0, {}, kLocationRecordSize);',
     "5020 passed to QueryServer()"),
    ("sim/server/sim_notice.cpp", '#include "sim/server/sim_request_handler.h"\nNotice(SimAudience::kUser, 5021, 0);',
     "5021 passed to Notice()"),
    ("tests/link/helper_code.cpp", "int Send(uint8_t op, uint16_t code, uint32_t neId, uint32_t recordSize);\n"
                                   "Send(2, 5021, 0, 1);", "5021 passed to Send()"),
    ("tests/link/helper_size.cpp", "int Send(uint8_t op, uint16_t code, uint32_t neId, uint32_t recordSize);\n"
                                   "Send(2, kReqLocation, 0, 4);", "record size 4 passed to Send()"),
    ("tests/link/header_assigned.cpp", "header.requestCode = 5020;", "5020 written as a number"),
    ("tests/link/header_compared.cpp", "if (msg->requestCode == 5021) {}", "5021 written as a number"),
    ("tests/link/header_expected.cpp", "EXPECT_EQ(frame.header.requestCode, 5021);", "5021 written as a number"),
    ("tests/link/loop_of_codes.cpp", "for (const uint16_t code : {kReqLocation, 5021}) {}", "5021 written as a number"),
    ("features/a/hand_built.cpp", EMS_MSG + "BuildEmsMsg(&msg, kEmsOpQuery, kReqLocation, kLocationRecordSize, r, 0);",
     "BuildEmsMsg outside link/"),
    ("features/a/intent_outside_tests.cpp", "constexpr RequestCode<NoRecord> kUnknownCode{99};",
     "kUnknownCode belongs in"),
]

CLEAN = ("tests/link/clean_test.cpp", """
    #include "link/record_requests.h"
    #include "tests/e2e/support/e2e_harness.h"
    // A comment may say 5020, and so may a text: "code 5020, 224 bytes".
    constexpr RequestCode<NoRecord> kUnknownCode{99};   // a test's refusal, named so
    constexpr uint16_t kWrongCode = 5021;               // likewise
    constexpr uint32_t kWrongRecordSize = 223;
    constexpr uint8_t kOpQuery = 1;                     // operations are no codes
    constexpr int kShapeCodeCount = 36;                 // nor the codes of shapes, ICMP messages or SNMP PDUs
    constexpr uint8_t kEchoCodeOffset = 1;
    enum class SnmpPduType : uint8_t { GetNextRequest = 161 };
    constexpr uint32_t kHeaderSize = 224;               // a size, but of no record
    void Run()
    {
        for (int code = 1; code < kShapeCodeCount; ++code) {}
        for (int code : {1, 5020}) {}                   // result codes
        requests.Query(kReqLocation, 0);
        requests.Query(kUnknownCode, 0);
        BuildEmsMsg(&msg, kEmsOpQuery, kReqLocationAdd, kLocationRecordSize, record, 0);
        BuildEmsMsg(&msg, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
        program.QueryServer(kReqLocation, 0, std::vector<uint8_t>(kLocationRecordSize), kLocationRecordSize);
        header.requestCode = kReqLocation;
        const auto size = 1'024;
        const char* raw = R"x(requests.Query(5020, 0); "header.requestCode = 5020;)x";
    }
""")


class RequestCatalogueCheckTest(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self.scratch.name)
        for path, text in CATALOGUE.items():
            self.write(path, textwrap.dedent(text))

    def tearDown(self):
        self.scratch.cleanup()

    def write(self, path, text):
        target = self.root / path
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text)

    def faults_of(self, faults, path):
        return [fault for fault in faults if fault.startswith(path + ":")]

    def test_every_planted_form_is_reported_in_its_file(self):
        for path, source, _ in PLANTED:
            self.write(path, source + "\n")
        faults = check_request_catalogue.find_faults(self.root)
        for path, _, expected in PLANTED:
            with self.subTest(path=path):
                found = self.faults_of(faults, path)
                self.assertEqual(len(found), 1, found)
                self.assertIn(expected, found[0])

    def test_a_file_that_names_everything_is_clean(self):
        path, source = CLEAN
        self.write(path, textwrap.dedent(source))
        self.assertEqual(check_request_catalogue.find_faults(self.root), [])

    def test_the_catalogue_is_read_from_its_headers(self):
        checker = check_request_catalogue.Checker(self.root)
        self.assertEqual(checker.catalogue.codes, {1, 34, 36, 161, 5020, 5021})
        self.assertEqual(checker.catalogue.sizes, {4, 224})


if __name__ == "__main__":
    unittest.main()
