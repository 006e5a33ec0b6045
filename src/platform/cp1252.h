#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The game and our files hold 8-bit Windows-1252 text; the state keeps those bytes as they are.
namespace yw::cp1252 {

QString toUnicode(std::string_view bytes);

// nullopt when the text holds a character that Windows-1252 cannot hold.
std::optional<std::string> fromUnicode(const QString& text);

bool canEncode(const QString& text);

} // namespace yw::cp1252
