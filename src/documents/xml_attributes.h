#pragma once

#include <QString>
#include <QXmlStreamReader>

#include <string>

namespace narrix {

// The value of the current element's attribute `localName`, whatever its namespace prefix.
QString xmlAttribute(const QXmlStreamReader& xml, QStringView localName);

// "NAME is not well-formed XML (line L, column C: message)" for a reader that stopped on an error.
std::string xmlProblem(const QXmlStreamReader& xml, const std::string& name);

// A QXmlStreamReader over UTF-8 `bytes` (the reader honours another declared encoding).
QByteArray xmlBytes(const std::string& bytes);

} // namespace narrix
