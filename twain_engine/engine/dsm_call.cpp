#include "connection.h"
#include "result_codes.h"

int32_t CallDSMEntry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  EngineLogIn("CallDSMEntry", msg);
  if (!g_twain.dsmEntry) {
    EngineLogOut("CallDSMEntry", -3);
    return -3;
  }
  TW_IDENTITY* dest =
      (dat == DAT_PARENT || dat == DAT_IDENTITY) ? nullptr : &g_twain.SourceIdentity;
  TW_UINT16 rc = g_twain.dsmEntry(&g_twain.AppIdentity, dest, dg, dat, msg, data);
  g_twain.lastReturnCode = rc;
  int32_t result = 0;
  if (rc == TWRC_SUCCESS) {
    result = 0;
  } else if (dat == DAT_EVENT || rc != TWRC_FAILURE) {
    // Only a failure leaves a condition code worth asking for; any other code stands alone,
    // and a stale condition code must not turn it into an error.
    result = ReturnCodeResult(rc);
  } else {
    TW_STATUS status{};
    TW_UINT16 src = g_twain.dsmEntry(&g_twain.AppIdentity, dest, DG_CONTROL, DAT_STATUS, MSG_GET,
                                     &status);
    if (src != TWRC_SUCCESS || status.ConditionCode == TWCC_SUCCESS)
      result = ReturnCodeResult(rc);
    else
      result = ConditionCodeResult(status.ConditionCode);
  }
  EngineLogOut("CallDSMEntry", result);
  return result;
}

bool IsConnectionFailure(int32_t code) {
  // Only the loss of the source or its device (TWCC_NODS, TWCC_MAXCONNECTIONS,
  // TWCC_CHECKDEVICEONLINE). A sequence error or an unknown code refuses that one request and
  // leaves every setting in place.
  switch (code) {
    case -2: case -10: case -13: return true;
    default: return false;
  }
}
