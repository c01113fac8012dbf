#pragma once
// The edge between the core's cp1251 bytes and Qt's strings.

#include "text/cp1251_codec.h"

#include <QString>

#include <string>
#include <string_view>

namespace tavo {

inline QString fromCp1251(std::string_view bytes) { return QString::fromStdString(cp1251ToUtf8(bytes)); }

// Characters that cp1251 cannot hold become "?".
inline std::string toCp1251(const QString &text) { return utf8ToCp1251(text.toStdString()); }

} // namespace tavo
