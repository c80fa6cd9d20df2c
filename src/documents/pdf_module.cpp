// The module libnarrix_pdf.so: PDF text through poppler-qt6, which it links, so that poppler and the
// libraries it brings (NSS, lcms2, OpenJPEG, libtiff, ...) are loaded the first time a PDF is read,
// not at every start of the program.
#include "documents/pdf_module.h"

#include "documents/pdf_page_text.h"
#include "documents/pdf_reader.h"

#include <poppler-qt6.h>

#include <map>
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

// The pages of a PDF, read in batches. Running headers and footers are learnt once, from a sample:
// the first pages and some spread over the rest (all pages of a short document), so the first batch
// is ready after a few dozen pages, not the whole book.
class PdfPieces final : public DocumentPieces
{
public:
    explicit PdfPieces(std::unique_ptr<Poppler::Document> document)
        : document_(std::move(document)), count_(std::max(document_->numPages(), 0))
    {
    }

    std::optional<std::string> next(std::string* error) override
    {
        if (!learnt_)
            learnRunningLines();
        while (next_ < count_) {
            readBatch();
            // The last line stays back: the next page may join a word hyphenated at its end.
            const qsizetype ready = next_ < count_ ? open_.lastIndexOf(QLatin1Char('\n')) + 1 : open_.size();
            if (ready > 0) {
                std::string piece = open_.first(ready).toStdString();
                open_.remove(0, ready);
                return piece;
            }
        }
        if (!anyText_ && !reported_) {
            reported_ = true;
            *error = kPdfWithoutText;
        }
        return std::nullopt;
    }

private:
    static constexpr int kFirstPages = 8;  // the first batch, and the sample's head
    static constexpr int kSpreadPages = 8; // the sample's pages spread over the rest
    static constexpr int kBatchPages = 24;

    QStringList readLines(int index) const
    {
        const std::unique_ptr<Poppler::Page> page = document_->page(index);
        if (!page)
            return {};
        QStringList lines = pageLines(page->text(QRectF()));
        const QString label = page->label();
        stripPageNumber(lines, label.isEmpty() ? QString::number(index + 1) : label);
        return lines;
    }

    // A page's lines, from the sample when it was read there.
    QStringList takeLines(int index)
    {
        if (const auto found = sampled_.find(index); found != sampled_.end()) {
            QStringList lines = std::move(found->second);
            sampled_.erase(found);
            return lines;
        }
        return readLines(index);
    }

    void readBatch()
    {
        const int end = std::min(count_, next_ + (next_ == 0 ? kFirstPages : kBatchPages));
        for (; next_ < end; ++next_) {
            const QString page = joinPageLines(running_.strip(takeLines(next_)));
            anyText_ = anyText_ || !page.isEmpty();
            appendJoined(open_, page, u"\n\n");
        }
    }

    void learnRunningLines()
    {
        learnt_ = true;
        std::vector<int> sample;
        if (count_ <= kFirstPages + kSpreadPages) {
            for (int index = 0; index < count_; ++index)
                sample.push_back(index);
        } else {
            for (int index = 0; index < kFirstPages; ++index)
                sample.push_back(index);
            const int rest = count_ - kFirstPages;
            for (int i = 0; i < kSpreadPages; ++i)
                sample.push_back(kFirstPages + (rest * (2 * i + 1)) / (2 * kSpreadPages));
        }
        std::vector<QStringList> pages;
        for (const int index : sample) {
            sampled_[index] = readLines(index);
            pages.push_back(sampled_[index]);
        }
        running_.learn(pages);
    }

    std::unique_ptr<Poppler::Document> document_;
    const int count_;
    int next_ = 0;
    bool learnt_ = false;
    std::map<int, QStringList> sampled_; // pages read for the sample, not yet handed out
    RunningLines running_;
    QString open_; // text joined but not handed out yet
    bool anyText_ = false;
    bool reported_ = false;
};

} // namespace

NARRIX_MODULE_FACTORY DocumentPieces*
narrix_open_pdf_pieces(const QString& path, const PasswordAsker& askPassword, std::string* error)
{
    quietPopplerNotes();
    std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document) {
        *error = "poppler cannot parse it: not a PDF file, or a damaged one";
        return nullptr;
    }
    if (!unlock(*document, askPassword, error))
        return nullptr;
    return new PdfPieces(std::move(document));
}

} // namespace narrix
