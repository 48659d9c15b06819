// The engine's own result codes for TWAIN return and condition codes.
#pragma once
#include <cstdint>

constexpr int32_t kUnknownTwainCode = -1000;

int32_t ReturnCodeResult(uint16_t returnCode);
int32_t ConditionCodeResult(uint16_t conditionCode);
