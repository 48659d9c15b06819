// The driver choice and the chosen source as the general key stores them: SOURCE (the driver
// kind), SOURCENAME (the source's list name) and "NANUFACTURER" (the maker's name; the stored
// spelling is kept, settings written by earlier versions rely on it).
#pragma once
#include <cstdint>

#include "twain_types.h"

constexpr const char* kSourceValue = "SOURCE";
constexpr const char* kSourceNameValue = "SOURCENAME";
constexpr const char* kDriverNameValue = "DRIVERNAME";
constexpr const char* kManufacturerValue = "NANUFACTURER";
constexpr int kSourceNameSize = 42;    // SOURCENAME is read into this many bytes
constexpr int kManufacturerSize = 33;

// Reading SOURCE and SOURCENAME is the tag persistence's (LoadDriverKind, LoadSourceName in
// tag_persistence.h); these write them.
void StoreDriverKind(int32_t kind);
void StoreSourceName(const char* name);

// SOURCENAME into dest (kSourceNameSize bytes, always terminated); "" when absent.
void LoadStoredSourceName(char* dest);

// Copies a stored source name into an identity's 34-byte ProductName: at most 33 characters,
// always terminated.
void SourceNameToProductName(const char* name, TW_IDENTITY* identity);
