#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace yw {

// `text` without any of `characters` at either end.
std::string_view trimmed(std::string_view text, std::string_view characters = " ");

// The lines of a text file written with CR LF, LF or CR line ends, without their ends; a last
// line without an end counts too.
std::vector<std::string> splitLines(const QByteArray& data);

// Bytes from an egg, a package or a resource file as a player can read them in a message or on a
// terminal, quoted: line ends and other control bytes written out (\r, \n, \x1b), cut after
// `most` bytes.
QString shownBytes(std::string_view bytes, size_t most = 40);
// The same bytes unquoted and whole.
QString writtenOut(std::string_view bytes);

} // namespace yw
