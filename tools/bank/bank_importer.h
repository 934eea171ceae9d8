#pragma once

// Builds exams from exam sources into a bank, all or nothing: the sources
// and their files are read and checked first, the bank is copied to a
// staging folder beside it and the exams are built there; only when all of
// them succeeded are their tables moved into the bank and their catalogue
// records added. A failing import leaves the bank as it was.
//
// The bank may be in use meanwhile: engines keep recording attempts in its
// history, which the import never copies or replaces, and a catalogue
// reader sees an exam only once its tables are complete. One import runs at
// a time per bank. At the end every file the import wrote is flushed to disk.

#include <string>
#include <vector>

#include "xbase/status.h"

namespace zentrix::banktool {

class BankImporter {
public:
    struct Options {
        bool replace = false;  // an exam already in the bank is replaced instead of refused
    };

    // Gives the identifiers of the exams imported, in order.
    static xbase::Result<std::vector<std::string>> run(const std::string& bankFolder,
                                                       const std::vector<std::string>& sources,
                                                       const Options& options);
};

}  // namespace zentrix::banktool
