#pragma once

#include "documents/office_text_builder.h"

#include <QStringView>
#include <QXmlStreamReader>

#include <string>

namespace narrix {

// What the DOCX and ODT readers share: the walk over the body document's XML into an
// OfficeTextBuilder, and the table elements, which both formats nest the same way (a table holds rows,
// a row holds cells). A reader names its format's elements and handles the rest.
class OfficeBodyReader
{
public:
    // The format's element names of a table, a row and a cell (and of a cell that another one covers).
    struct TableElements
    {
        QStringView table;
        QStringView row;
        QStringView cell;
        QStringView coveredCell;
    };

    explicit OfficeBodyReader(TableElements tables) : tables_(tables) {}
    virtual ~OfficeBodyReader() = default;
    OfficeBodyReader(const OfficeBodyReader&) = delete;
    OfficeBodyReader& operator=(const OfficeBodyReader&) = delete;

    // Reads the body document `bytes` (the archive member `member`) into `document`; false with
    // `error` naming the member when it is not well-formed XML.
    bool read(const std::string& bytes, const std::string& member, RtfDocument* document, std::string* error);

protected:
    virtual void start(QXmlStreamReader& xml) = 0;
    virtual void end(QStringView name) = 0;
    // The text between elements; readers that take text from whole elements ignore it.
    virtual void characters(QStringView /*text*/) {}

    // Starts or ends a table, a row or a cell when `name` is one of them.
    void startTableElement(QStringView name);
    void endTableElement(QStringView name);

    OfficeTextBuilder builder_;

private:
    TableElements tables_;
};

} // namespace narrix
