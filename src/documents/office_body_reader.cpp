#include "documents/office_body_reader.h"

#include "documents/xml_attributes.h"

namespace narrix {

bool OfficeBodyReader::read(const std::string& bytes, const std::string& member, RtfDocument* document,
                            std::string* error)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement)
            start(xml);
        else if (token == QXmlStreamReader::EndElement)
            end(xml.name());
        else if (token == QXmlStreamReader::Characters)
            characters(xml.text());
    }
    if (xml.hasError()) {
        *error = xmlProblem(xml, member);
        return false;
    }
    *document = builder_.finish();
    return true;
}

void OfficeBodyReader::startTableElement(QStringView name)
{
    if (name == tables_.table)
        builder_.beginTable();
    else if (name == tables_.row)
        builder_.beginRow();
    else if (name == tables_.cell || (!tables_.coveredCell.isEmpty() && name == tables_.coveredCell))
        builder_.beginCell();
}

void OfficeBodyReader::endTableElement(QStringView name)
{
    if (name == tables_.table)
        builder_.endTable();
    else if (name == tables_.row)
        builder_.endRow();
}

} // namespace narrix
