#pragma once

#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

namespace yw {

// `text` without any of `characters` at either end.
std::string_view trimmed(std::string_view text, std::string_view characters = " ");

// The lines of a text file written with CR LF, LF or CR line ends, without their ends; a last
// line without an end counts too.
std::vector<std::string> splitLines(const QByteArray& data);

} // namespace yw
