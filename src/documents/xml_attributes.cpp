#include "documents/xml_attributes.h"

namespace narrix {

QString xmlAttribute(const QXmlStreamReader& xml, QStringView localName)
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.name() == localName)
            return attribute.value().toString();
    }
    return {};
}

std::string xmlProblem(const QXmlStreamReader& xml, const std::string& name)
{
    return name + " is not well-formed XML (line " + std::to_string(xml.lineNumber()) + ", column " +
           std::to_string(xml.columnNumber()) + ": " + xml.errorString().toStdString() + ")";
}

QByteArray xmlBytes(const std::string& bytes)
{
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace narrix
