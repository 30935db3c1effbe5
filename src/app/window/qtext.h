// Text between the core (bytes, CR LF line ends) and the widgets.
#pragma once

#include <QString>
#include <string>

namespace quorlin {

// File names and box texts: the bytes the file system uses.
inline QString toQ(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string fromQ(const QString& s) {
    return s.toLocal8Bit().toStdString();
}

// Multi-line texts: the widgets end lines with LF alone.
inline QString linesToQ(const std::string& s) {
    QString q = toQ(s);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}

}  // namespace quorlin
