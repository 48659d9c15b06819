// Where the simulated driver finds its settings file: the environment variable ZEBSIM_CONFIG,
// else the string value "ConfigFile" under HKCU "Software\Quandrix\ZebSim"; no file means the
// default scanner.
#pragma once
#include <cstdint>
#include <string>

#include "sim_scanner.h"

constexpr const char* kSimConfigVariable = "ZEBSIM_CONFIG";
constexpr const char* kSimConfigKey = "Software\\Quandrix\\ZebSim";
constexpr const char* kSimConfigValue = "ConfigFile";

// Fills *config; false when a settings file is named but cannot be read.
bool LoadDriverConfig(zebsim::SimConfig* config);

// The settings file named, or "" for none (the default scanner).
std::string DriverConfigPath();
