#pragma once
// The edge between the core's cp1251 bytes and Qt's Unicode strings.

#include <QString>

#include <string>
#include <string_view>

namespace tavo {

QString fromCp1251(std::string_view bytes);

// Characters that cp1251 cannot hold become "?".
std::string toCp1251(const QString &text);

} // namespace tavo
