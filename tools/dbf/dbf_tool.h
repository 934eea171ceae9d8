#pragma once

// The commands of zentrix-dbf, separate from main() so tests can run them
// with their own streams.
//
//   info FILE                         header, fields, record count, tags
//   dump FILE [--tag NAME] [--deleted] [--json]
//                                     records, one a line (or a JSON array);
//                                     deleted records only with --deleted
//   check FILE                        every tag against the table
//   reindex FILE                      rebuilds every tag
//
// Options may stand before or after FILE; every command takes --help.
//
// Exit status: 0 done, 1 a check found a mismatch, 2 unreadable input or a
// bad command line. Errors go to the error stream with the file name.

#include <ostream>
#include <string>
#include <vector>

namespace zentrix::tools {

int runDbfTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zentrix::tools
