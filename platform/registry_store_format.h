#pragma once

// Layout of a registry store file, one per predefined root key, named after
// the root key ("HKEY_LOCAL_MACHINE.reg") in the registry folder of the
// platform root. Text, one item per line, "\n" line ends:
//
//   ; Zentrix registry store 1            header, required on the first line
//   [software\Brenlo\Quaylo\Test Engine]  a key: its full path, original case
//   @="text"                              the key's unnamed default value
//   "HomeDir"="/opt/zentrix/"             a text value
//   "Count"=dword:00000002                a 32-bit integer, 8 hex digits
//
// Value names and texts are quoted; inside quotes \\ \" \n \r \t and \xHH
// stand for a backslash, a quote, control characters and any other byte
// below 0x20. Blank lines are ignored. Values belong to the key line above
// them. Full format notes: docs/formats/registry-store.md.

namespace zentrix::platform::registry_store {

inline constexpr const char* kHeader = "; Zentrix registry store 1";
inline constexpr const char* kFileExtension = ".reg";
inline constexpr const char* kIntegerPrefix = "dword:";

}  // namespace zentrix::platform::registry_store
