// A printer for tests on Wine's PostScript driver: a PPD of our own, the "winprint" processor
// and a port that is a file, so that every job the program prints lands in that file as
// PostScript for Ghostscript to render.
#pragma once
#include <string>

// Every test printer's name starts so.
constexpr const char* kTestPrinterPrefix = "Tarnwick Test ";

// Adds (or replaces) a test printer of that name, printing into the Windows path outputFile, and
// makes it the default printer. False when the spooler refused; why is in the message. A printer
// with a job still open cannot be replaced: such tests take a name of their own.
bool AddTestPrinter(const std::string& name, const std::string& outputFile, std::string& message);
// Removes it; afterwards the prefix has no default printer unless it had others.
void RemoveTestPrinter(const std::string& name);
// Removes every test printer a run left behind (those whose jobs are still open stay) and
// answers how many other printers the prefix has.
int RemoveTestPrinters();
