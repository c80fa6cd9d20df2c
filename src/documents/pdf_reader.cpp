#include "documents/pdf_reader.h"

#include "documents/pdf_page_text.h"

#include <poppler-qt6.h>

#include <QFileInfo>

#include <vector>

namespace narrix {
namespace {

constexpr int kPasswordAttempts = 3;

// poppler reports what it repairs or refuses on stderr ("Incorrect password", "Couldn't read xref
// table"); the reader's own message says what matters, so those notes stay quiet.
void quietPopplerNotes()
{
    static const bool quiet = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    (void)quiet;
}

bool unlock(Poppler::Document& document, const PasswordAsker& askPassword, std::string* error)
{
    if (!document.isLocked())
        return true;
    if (!askPassword) {
        *error = "the PDF is encrypted and needs a password";
        return false;
    }
    for (int attempt = 0; attempt < kPasswordAttempts; ++attempt) {
        const std::optional<std::string> password = askPassword(attempt > 0);
        if (!password) {
            *error = "the PDF is encrypted and no password was given";
            return false;
        }
        const QByteArray bytes = QByteArray::fromStdString(*password);
        document.unlock(bytes, bytes);
        if (!document.isLocked())
            return true;
    }
    *error = "the PDF is encrypted and the password is wrong";
    return false;
}

} // namespace

bool readPdf(const QString& path, const PasswordAsker& askPassword, std::string* text, std::string* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QFileInfo::exists(path) ? "is a folder, not a file" : "No such file or directory";
        return false;
    }
    quietPopplerNotes();
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document) {
        *error = "poppler cannot parse it: not a PDF file, or a damaged one";
        return false;
    }
    if (!unlock(*document, askPassword, error))
        return false;

    const int count = document->numPages();
    std::vector<QStringList> pages;
    pages.reserve(static_cast<std::size_t>(std::max(count, 0)));
    bool anyText = false;
    for (int index = 0; index < count; ++index) {
        const std::unique_ptr<Poppler::Page> page = document->page(index);
        QStringList lines;
        if (page) {
            lines = pageLines(page->text(QRectF()));
            const QString label = page->label();
            stripPageNumber(lines, label.isEmpty() ? QString::number(index + 1) : label);
        }
        pages.push_back(std::move(lines));
        anyText = anyText || !pages.back().isEmpty();
    }
    if (!anyText) {
        *error = kPdfWithoutText;
        return false;
    }
    RunningLines running;
    running.learn(pages);
    QString whole;
    for (QStringList& lines : pages)
        appendJoined(whole, joinPageLines(running.strip(std::move(lines))), u"\n\n");
    *text = whole.toStdString();
    return true;
}

} // namespace narrix
