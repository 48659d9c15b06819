// CallDSMEntry: TWAIN return and condition codes to engine codes, and when status is asked.
#include "engine_fixture.h"

namespace {

struct CodeCase {
  const char* what;
  uint16_t dat;
  uint16_t rc;
  uint16_t cc;         // condition code the failure leaves (a stale one for other codes)
  bool statusFails;    // DAT_STATUS itself is refused
  int32_t expected;
  bool statusAsked;
};

const CodeCase kCodeCases[] = {
    {"failure without condition falls back to -4", DAT_CAPABILITY, TWRC_FAILURE, 0, false, -4, true},
    {"failure with paper jam", DAT_CAPABILITY, TWRC_FAILURE, TWCC_PAPERJAM, false, -12, true},
    {"failure with double feed", DAT_CAPABILITY, TWRC_FAILURE, TWCC_PAPERDOUBLEFEED, false, -14, true},
    {"failure with device offline", DAT_CAPABILITY, TWRC_FAILURE, TWCC_CHECKDEVICEONLINE, false, -13, true},
    {"failure with unknown condition 7", DAT_CAPABILITY, TWRC_FAILURE, 7, false, -1000, true},
    {"failure with condition above 23", DAT_CAPABILITY, TWRC_FAILURE, 24, false, -1000, true},
    {"failure with status refused", DAT_CAPABILITY, TWRC_FAILURE, TWCC_PAPERJAM, true, -4, true},
    {"end of list ignores a stale condition", DAT_CAPABILITY, TWRC_ENDOFLIST, TWCC_PAPERJAM, false, -6, false},
    {"transfer done ignores a stale condition", DAT_CAPABILITY, TWRC_XFERDONE, TWCC_BUMMER, false, 1, false},
    {"cancel ignores a stale condition", DAT_CAPABILITY, TWRC_CANCEL, TWCC_BUMMER, false, -5, false},
    {"check status", DAT_CAPABILITY, TWRC_CHECKSTATUS, 0, false, -8, false},
    {"data not available", DAT_CAPABILITY, TWRC_DATANOTAVAILABLE, 0, false, -8, false},
    {"return code above 9", DAT_CAPABILITY, 10, 0, false, -1000, false},
    {"event failure asks no status", DAT_EVENT, TWRC_FAILURE, TWCC_PAPERJAM, false, -4, false},
    {"event not a source event", DAT_EVENT, TWRC_NOTDSEVENT, 0, false, -6, false},
};

class CallDSMEntryTest : public ScriptedEngineTest,
                         public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CallDSMEntryTest, TurnsCodesIntoEngineCodes) {
  const CodeCase& c = GetParam();
  OpenSource();
  ScriptStaleCondition(c.cc);
  ScriptAnswer(DG_CONTROL, c.dat, MSG_GET, c.rc, c.cc, 1);
  if (c.statusFails) ScriptAnswer(DG_CONTROL, DAT_STATUS, MSG_GET, TWRC_FAILURE, 0, 1);
  Forget();
  uint8_t record[64] = {};
  EXPECT_EQ(CallDSMEntry(DG_CONTROL, c.dat, MSG_GET, record), c.expected) << c.what;
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_STATUS, MSG_GET), c.statusAsked ? 1 : 0) << c.what;
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(log[0].hasDest) << "requests to the source carry its identity";
}

INSTANTIATE_TEST_SUITE_P(Codes, CallDSMEntryTest, ::testing::ValuesIn(kCodeCases));

TEST_F(ScriptedEngineTest, ManagerRequestsHaveNoDestination) {
  ASSERT_EQ(TWAINLoad(nullptr), 0);
  auto log = Requests();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].dat, DAT_PARENT);
  EXPECT_EQ(log[0].msg, MSG_OPENDSM);
  EXPECT_FALSE(log[0].hasDest);
}

TEST_F(ScriptedEngineTest, NoRequestWithoutAManager) {
  uint8_t record[16] = {};
  EXPECT_EQ(CallDSMEntry(DG_CONTROL, DAT_CAPABILITY, MSG_GET, record), -3);
  EXPECT_TRUE(Requests().empty());
}

}  // namespace
