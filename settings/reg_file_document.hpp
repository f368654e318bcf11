#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_backend.hpp"

// One registry export file ("Windows Registry Editor Version 5.00"), held as its lines so that
// setting a value rewrites that value's line and keeps every other line as it was, byte for byte:
// unknown keys, unknown values, comments and lines that do not parse all survive a save.
//
// Values are read the way an import would apply them: under a "[ROOT\key\path]" section, as
// "name"= or @= (the unnamed value) followed by "text" (REG_SZ with its NUL), dword:xxxxxxxx,
// hex:bb,bb (REG_BINARY) or hex(t):bb,bb (type t); hex lists may continue over lines ending in
// a backslash. Inside quotes only \\ and \" are escapes. Bytes pass through as they are; the file
// has no encoding of its own. A value line that does not parse hides that value (it reads as
// damaged, never as a guess) and nothing else. Lines end in CR LF when written; LF alone and
// CR LF are both read.
namespace fragtide::settings {

class RegFileDocument {
public:
    static RegFileDocument parse(std::string_view bytes);

    // The last value called `valueName` in a section named `section` ("HKEY_LOCAL_MACHINE\Software\X"):
    // NotFound when no such section or value, Unreadable when that last line does not parse.
    StoreResult<StoredValue> find(std::string_view section, std::string_view valueName) const;

    // Puts `value` where the first line of that name in that section is, drops any later
    // duplicates, or adds the line (and the section) when there is none. Adds the header line when
    // the file did not start with it.
    void set(std::string_view section, std::string_view valueName, const StoredValue& value);

    std::string serialize() const;

    // The line `set` writes, without its ending: "\"GameSelect\"=\"Quake II : Standard\"".
    static std::string valueLine(std::string_view valueName, const StoredValue& value);

private:
    enum class Kind { Blank, Header, Section, Value, Other };
    struct Entry {
        Kind kind = Kind::Other;
        std::vector<std::string> lines;  // as in the file, without endings; more than one when continued
        std::string name;                // section name, or value name once unescaped
        std::optional<StoredValue> value;  // a Value entry whose data did not parse has none
    };

    std::vector<Entry> m_entries;
};

}  // namespace fragtide::settings
